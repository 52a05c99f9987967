<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>EngineText</name>
    <message>
        <source>No files.</source>
        <translation>Нет файлов.</translation>
    </message>
    <message>
        <source>Replace data error.</source>
        <translation>Ошибка в данных замены.</translation>
    </message>
    <message>
        <source>Search data error.</source>
        <translation>Ошибка в данных поиска.</translation>
    </message>
    <message>
        <source>Search data too large.</source>
        <translation>Слишком много данных поиска.</translation>
    </message>
    <message>
        <source>Replace data too large.</source>
        <translation>Слишком много данных замены.</translation>
    </message>
    <message>
        <source>Reading data. Please, wait...</source>
        <translation>Чтение данных. Подождите...</translation>
    </message>
    <message>
        <source>Data processing. Please, wait...</source>
        <translation>Обработка данных. Подождите...</translation>
    </message>
    <message>
        <source>Data searching. Please, wait...</source>
        <translation>Поиск в данных. Подождите...</translation>
    </message>
    <message>
        <source>Writing data. Please, wait...</source>
        <translation>Запись данных. Подождите...</translation>
    </message>
    <message>
        <source>Preparing the preview. Please, wait...</source>
        <translation>Подготовка просмотра. Подождите...</translation>
    </message>
    <message>
        <source>Replace Data Error</source>
        <translation>Ошибка в данных замены</translation>
    </message>
    <message>
        <source>waiting for another Nosk run on %1</source>
        <translation>ожидание: в папке %1 работает другой запуск Nosk</translation>
    </message>
    <message>
        <source>no event lines in an [Events] section (the lines end in CR alone, which is not a line end here; save the script with LF or CR LF line ends)</source>
        <translation>в разделе [Events] нет строк событий (строки кончаются одним CR, а это здесь не конец строки; сохраните скрипт с концами строк LF или CR LF)</translation>
    </message>
    <message>
        <source>no event lines in an [Events] section</source>
        <translation>в разделе [Events] нет строк событий</translation>
    </message>
    <message>
        <source>not enough memory to work on this script; it was not changed</source>
        <translation>не хватило памяти для работы со скриптом; он не изменён</translation>
    </message>
    <message>
        <source>not enough memory to restore it; it was not changed</source>
        <translation>не хватило памяти, чтобы восстановить его; он не изменён</translation>
    </message>
    <message>
        <source>Not enough memory to read file.</source>
        <translation>Не хватает памяти, чтобы прочитать файл.</translation>
    </message>
    <message>
        <source>the same file as %1, which this run works on already</source>
        <translation>тот же файл, что и %1, с которым этот запуск уже работает</translation>
    </message>
    <message>
        <source>not in the preview, so not written</source>
        <translation>его не было в просмотре, поэтому он не записан</translation>
    </message>
    <message>
        <source>changed on disk since the preview, so it was not written; preview it again</source>
        <translation>изменился на диске после просмотра, поэтому не записан; просмотрите его заново</translation>
    </message>
    <message>
        <source>its new content is not the one previewed, so it was not written; preview it again</source>
        <translation>его новое содержимое не совпадает с просмотренным, поэтому он не записан; просмотрите его заново</translation>
    </message>
    <message>
        <source>Can&apos;t read the run journal %1: it is not a journal Nosk wrote</source>
        <translation>Не удалось прочитать журнал запусков %1: это не журнал Nosk</translation>
    </message>
    <message>
        <source>Can&apos;t read the run journal %1: %2</source>
        <translation>Не удалось прочитать журнал запусков %1: %2</translation>
    </message>
    <message>
        <source>The rewritten scripts in %1 could not be flushed to disk: %2. They and their backups are in place, but a crash now could lose the newest changes.</source>
        <translation>Не удалось сбросить на диск перезаписанные скрипты в %1: %2. Они и их резервные копии на месте, но при сбое сейчас последние изменения могут пропасть.</translation>
    </message>
    <message>
        <source>%1 was deleted while Nosk worked on it, so it was not written again</source>
        <translation>%1 был удалён, пока Nosk с ним работал, поэтому заново не записан</translation>
    </message>
    <message>
        <source>%1 changed on disk while Nosk worked on it, so it was not changed; run again to work on its new content</source>
        <translation>%1 изменился на диске, пока Nosk с ним работал, поэтому не изменён; запустите ещё раз, чтобы обработать новое содержимое</translation>
    </message>
    <message>
        <source>%1 was replaced by another program while Nosk worked on it; its new version is now named %2</source>
        <translation>%1 был заменён другой программой, пока Nosk с ним работал; его новая версия теперь называется %2</translation>
    </message>
    <message>
        <source>%1 can&apos;t be looked at: %2</source>
        <translation>не удалось получить сведения о %1: %2</translation>
    </message>
    <message>
        <source>%1 was not changed: %2</source>
        <translation>%1 не изменён: %2</translation>
    </message>
    <message>
        <source>Can&apos;t create a file in %1 for the new content: %2</source>
        <translation>Не удалось создать в %1 файл для нового содержимого: %2</translation>
    </message>
    <message>
        <source>Can&apos;t write the new content of %1: %2</source>
        <translation>Не удалось записать новое содержимое %1: %2</translation>
    </message>
    <message>
        <source>backup could not be made, so %1 was not changed: %2</source>
        <translation>не удалось сделать резервную копию, поэтому %1 не изменён: %2</translation>
    </message>
    <message>
        <source>it has other hard links, which keep its previous content; its backup is a copy</source>
        <translation>у него есть другие жёсткие ссылки, они сохраняют прежнее содержимое; его резервная копия — отдельная копия</translation>
    </message>
    <message>
        <source>another program wrote to %1 while Nosk replaced it; the new content does not hold that write, which is kept in %2</source>
        <translation>другая программа записала в %1, пока Nosk его заменял; в новом содержимом этой записи нет, она сохранена в %2</translation>
    </message>
    <message>
        <source>another program wrote to %1 while Nosk replaced it, and that write could not be kept in %2: %3</source>
        <translation>другая программа записала в %1, пока Nosk его заменял, и эту запись не удалось сохранить в %2: %3</translation>
    </message>
    <message>
        <source>Can&apos;t replace %1: %2</source>
        <translation>Не удалось заменить %1: %2</translation>
    </message>
    <message>
        <source>changed since that run: it is no longer the file %1 wrote, so it was left alone</source>
        <translation>изменился после того запуска: это уже не тот файл, который записал %1, поэтому он не тронут</translation>
    </message>
    <message>
        <source>its backup %1 can&apos;t be read: %2</source>
        <translation>его резервную копию %1 не удалось прочитать: %2</translation>
    </message>
    <message>
        <source>its backup %1 belongs to %2, not to the script&apos;s owner, so it was not restored</source>
        <translation>его резервная копия %1 принадлежит %2, а не владельцу скрипта, поэтому он не восстановлен</translation>
    </message>
    <message>
        <source>its backup %1 changed since %2, so it was not restored</source>
        <translation>его резервная копия %1 изменилась после: %2, поэтому он не восстановлен</translation>
    </message>
    <message>
        <source>not changed by %1, the last run recorded in its folder</source>
        <translation>не изменялся последним записанным в его папке запуском: %1</translation>
    </message>
    <message>
        <source>no run is recorded in this folder</source>
        <translation>в этой папке не записано ни одного запуска</translation>
    </message>
    <message>
        <source>the run of %1 (%2)</source>
        <translation>запуск %1 (%2)</translation>
    </message>
    <message>
        <source>Can&apos;t create the folder %1: %2</source>
        <translation>Не удалось создать папку %1: %2</translation>
    </message>
    <message>
        <source>%1 is a symbolic link, and backups go only into a real folder</source>
        <translation>%1 — символическая ссылка, а резервные копии кладутся только в настоящую папку</translation>
    </message>
    <message>
        <source>%1 is not a folder (%2)</source>
        <translation>%1 — не папка (%2)</translation>
    </message>
    <message>
        <source>Can&apos;t open the folder %1: %2</source>
        <translation>Не удалось открыть папку %1: %2</translation>
    </message>
    <message>
        <source>Can&apos;t set the permissions of %1: %2</source>
        <translation>Не удалось задать права доступа %1: %2</translation>
    </message>
    <message>
        <source>Can&apos;t look at %1: %2</source>
        <translation>Не удалось получить сведения о %1: %2</translation>
    </message>
    <message>
        <source>%1 belongs to %2, who does not own this folder, so backups do not go there</source>
        <translation>%1 принадлежит пользователю %2, а не владельцу этой папки, поэтому резервные копии туда не кладутся</translation>
    </message>
    <message>
        <source>can&apos;t read the script to copy it: %1</source>
        <translation>не удалось прочитать скрипт, чтобы скопировать его: %1</translation>
    </message>
    <message>
        <source>can&apos;t read its extended attributes: %1</source>
        <translation>не удалось прочитать его расширенные атрибуты: %1</translation>
    </message>
    <message>
        <source>can&apos;t read its extended attribute %1: %2</source>
        <translation>не удалось прочитать его расширенный атрибут %1: %2</translation>
    </message>
    <message>
        <source>can&apos;t give the new file its extended attribute %1: %2</source>
        <translation>не удалось передать новому файлу его расширенный атрибут %1: %2</translation>
    </message>
    <message>
        <source>can&apos;t remove the ACL the new file took from its folder: %1</source>
        <translation>не удалось убрать ACL, который новый файл унаследовал от папки: %1</translation>
    </message>
    <message>
        <source>can&apos;t give the new file the owner %1 and group %2 it has: %3</source>
        <translation>не удалось передать новому файлу его владельца %1 и группу %2: %3</translation>
    </message>
    <message>
        <source>can&apos;t set the permissions of the new file: %1</source>
        <translation>не удалось задать права доступа нового файла: %1</translation>
    </message>
    <message>
        <source>it is read-only (no one may write it), so it was not changed</source>
        <translation>он только для чтения (записывать его никому нельзя), поэтому не изменён</translation>
    </message>
    <message>
        <source>you may not write it (%1), so it was not changed</source>
        <translation>у вас нет права записи в него (%1), поэтому он не изменён</translation>
    </message>
    <message>
        <source>Can&apos;t lock the folder %1 against other Nosk runs: %2</source>
        <translation>Не удалось заблокировать папку %1 от других запусков Nosk: %2</translation>
    </message>
    <message>
        <source>another Nosk run kept working on %1 longer than Nosk waits, so this script was not changed; run again when that run has ended</source>
        <translation>другой запуск Nosk работал с %1 дольше, чем Nosk ждёт, поэтому скрипт не изменён; запустите ещё раз, когда тот запуск закончится</translation>
    </message>
    <message>
        <source>Can&apos;t read from %1. %2.</source>
        <translation>Не удалось прочитать %1. %2.</translation>
    </message>
    <message>
        <source>%1 is larger than 40,000,000 bytes</source>
        <translation>%1 больше 40 000 000 байт</translation>
    </message>
    <message>
        <source>it is a folder, not a file</source>
        <translation>это папка, а не файл</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>это не обычный файл</translation>
    </message>
    <message>
        <source>no file at this path</source>
        <translation>по этому пути нет файла</translation>
    </message>
    <message>
        <source>it is a symbolic link to nothing</source>
        <translation>это символическая ссылка в никуда</translation>
    </message>
    <message>
        <source>it is a symbolic link to a folder, not to a file</source>
        <translation>это символическая ссылка на папку, а не на файл</translation>
    </message>
    <message>
        <source>can&apos;t look at this path: %1</source>
        <translation>не удалось получить сведения об этом пути: %1</translation>
    </message>
    <message>
        <source>can&apos;t read the symbolic link: %1</source>
        <translation>не удалось прочитать символическую ссылку: %1</translation>
    </message>
    <message>
        <source>it is a symbolic link of %1 to %2 of %3, and Nosk follows a link only to a file of the link&apos;s owner</source>
        <translation>это символическая ссылка пользователя %1 на %2 пользователя %3, а Nosk переходит по ссылке только к файлу её владельца</translation>
    </message>
    <message>
        <source>it was replaced by a symbolic link while Nosk worked on it</source>
        <translation>его заменили символической ссылкой, пока Nosk с ним работал</translation>
    </message>
    <message>
        <source>user %1</source>
        <translation>пользователь %1</translation>
    </message>
    <message>
        <source>Replace: %1 replacement of the block (%2)</source>
        <translation>Замена: замена блока, режим «%1» (поиск: %2)</translation>
    </message>
    <message>
        <source>Shift Times %1: %2, %3</source>
        <translation>Сдвиг на %1: %2, %3</translation>
    </message>
    <message>
        <source>Undo of run %1 (%2)</source>
        <translation>Отмена запуска %1 (%2)</translation>
    </message>
    <message>
        <source>text only</source>
        <translation>только текст</translation>
    </message>
    <message>
        <source>text and format</source>
        <translation>текст и формат</translation>
    </message>
    <message>
        <source>timing shift</source>
        <translation>смещение тайминга</translation>
    </message>
    <message>
        <source>full match (with offset)</source>
        <translation>полное соответствие (со смещением)</translation>
    </message>
    <message>
        <source>full match</source>
        <translation>полное соответствие</translation>
    </message>
    <message>
        <source>none</source>
        <translation>нет</translation>
    </message>
    <message>
        <source>every script</source>
        <translation>все скрипты</translation>
    </message>
    <message>
        <source>every row of scripts holding the block</source>
        <translation>все строки скриптов, где есть блок</translation>
    </message>
    <message>
        <source>the rows before the block and the block</source>
        <translation>строки до блока и сам блок</translation>
    </message>
    <message>
        <source>the rows before the block</source>
        <translation>строки до блока</translation>
    </message>
    <message>
        <source>the block and the rows after it</source>
        <translation>блок и строки после него</translation>
    </message>
    <message>
        <source>the rows after the block</source>
        <translation>строки после блока</translation>
    </message>
    <message>
        <source>start and end times</source>
        <translation>время начала и конца</translation>
    </message>
    <message>
        <source>start times</source>
        <translation>время начала</translation>
    </message>
    <message>
        <source>end times</source>
        <translation>время конца</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <translation>Нет такого файла или каталога</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Отказано в доступе</translation>
    </message>
    <message>
        <source>Operation not permitted</source>
        <translation>Операция не разрешена</translation>
    </message>
    <message>
        <source>No space left on device</source>
        <translation>На устройстве не осталось места</translation>
    </message>
    <message>
        <source>Disk quota exceeded</source>
        <translation>Превышена дисковая квота</translation>
    </message>
    <message>
        <source>Read-only file system</source>
        <translation>Файловая система только для чтения</translation>
    </message>
    <message>
        <source>File exists</source>
        <translation>Файл уже существует</translation>
    </message>
    <message>
        <source>Input/output error</source>
        <translation>Ошибка ввода-вывода</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <translation>Это каталог</translation>
    </message>
    <message>
        <source>Not a directory</source>
        <translation>Это не каталог</translation>
    </message>
    <message>
        <source>File too large</source>
        <translation>Файл слишком велик</translation>
    </message>
    <message>
        <source>File name too long</source>
        <translation>Слишком длинное имя файла</translation>
    </message>
    <message>
        <source>Too many levels of symbolic links</source>
        <translation>Слишком много уровней символических ссылок</translation>
    </message>
    <message>
        <source>Invalid argument</source>
        <translation>Недопустимый аргумент</translation>
    </message>
    <message>
        <source>Device or resource busy</source>
        <translation>Устройство или ресурс занято</translation>
    </message>
    <message>
        <source>Invalid cross-device link</source>
        <translation>Недопустимая ссылка между устройствами</translation>
    </message>
    <message>
        <source>Operation not supported</source>
        <translation>Операция не поддерживается</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>read as %1 (guessed from its bytes)</source>
        <translation>прочитан как %1 (определено по байтам)</translation>
    </message>
    <message>
        <source>its encoding could not be detected; choose the code page it is in</source>
        <translation>не удалось определить кодировку; выберите кодовую страницу скрипта</translation>
    </message>
    <message>
        <source>the encoding %1 is not known to this system</source>
        <translation>кодировка %1 неизвестна этой системе</translation>
    </message>
    <message>
        <source>line %1: the bytes %2 are not UTF-8 text, though the script begins with the UTF-8 mark; it was not converted</source>
        <translation>строка %1: байты %2 — не текст UTF-8, хотя скрипт начинается с метки UTF-8; скрипт не преобразован</translation>
    </message>
    <message>
        <source>line %1: the bytes %2 are not %3 text; it was not converted</source>
        <translation>строка %1: байты %2 — не текст в кодировке %3; скрипт не преобразован</translation>
    </message>
    <message>
        <source>line %1: the script ends inside a %2 character (bytes %3); it was not converted</source>
        <translation>строка %1: скрипт обрывается посреди символа %2 (байты %3); скрипт не преобразован</translation>
    </message>
    <message>
        <source>line %1: the %2 bytes %3 would not come back the same from UTF-8 (this system&apos;s converter reads them as a character it writes otherwise); it was not converted</source>
        <translation>строка %1: байты %3 в кодировке %2 не вернулись бы из UTF-8 теми же (конвертер этой системы читает их как символ, который записывает иначе); скрипт не преобразован</translation>
    </message>
    <message>
        <source>the %1 bytes %2 would not come back the same from UTF-8 (this system&apos;s converter reads them as a character it writes otherwise); it was not converted</source>
        <translation>байты %2 в кодировке %1 не вернулись бы из UTF-8 теми же (конвертер этой системы читает их как символ, который записывает иначе); скрипт не преобразован</translation>
    </message>
    <message>
        <source>%1 with mark</source>
        <translation>%1 с меткой</translation>
    </message>
    <message>
        <source>Unknown code page %1.</source>
        <translation>Неизвестная кодовая страница %1.</translation>
    </message>
    <message>
        <source>Central European</source>
        <translation>центральноевропейская</translation>
    </message>
    <message>
        <source>Cyrillic</source>
        <translation>кириллица</translation>
    </message>
    <message>
        <source>Western European</source>
        <translation>западноевропейская</translation>
    </message>
    <message>
        <source>Greek</source>
        <translation>греческая</translation>
    </message>
    <message>
        <source>Turkish</source>
        <translation>турецкая</translation>
    </message>
    <message>
        <source>Hebrew</source>
        <translation>иврит</translation>
    </message>
    <message>
        <source>Arabic</source>
        <translation>арабская</translation>
    </message>
    <message>
        <source>Baltic</source>
        <translation>балтийская</translation>
    </message>
    <message>
        <source>Vietnamese</source>
        <translation>вьетнамская</translation>
    </message>
    <message>
        <source>Thai</source>
        <translation>тайская</translation>
    </message>
    <message>
        <source>Russian</source>
        <translation>русская</translation>
    </message>
    <message>
        <source>Ukrainian</source>
        <translation>украинская</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>японская</translation>
    </message>
    <message>
        <source>Chinese (Simplified)</source>
        <translation>китайская (упрощённая)</translation>
    </message>
    <message>
        <source>Chinese (Traditional)</source>
        <translation>китайская (традиционная)</translation>
    </message>
    <message>
        <source>Korean</source>
        <translation>корейская</translation>
    </message>
    <message>
        <source>Format Conversion: to %1, %2, from %3 where a script is neither UTF-8 nor marked</source>
        <translation>Преобразование: в %1, %2, из %3, где скрипт не в UTF-8 и без метки</translation>
    </message>
    <message>
        <source>line ends kept</source>
        <translation>концы строк как были</translation>
    </message>
    <message>
        <source>line ends CR LF</source>
        <translation>концы строк CR LF</translation>
    </message>
    <message>
        <source>line ends LF</source>
        <translation>концы строк LF</translation>
    </message>
    <message>
        <source>the detected code page</source>
        <translation>определённой кодовой страницы</translation>
    </message>
    <message>
        <source>%1; %2</source>
        <translation>%1; %2</translation>
    </message>
    <message>
        <source>the script is UTF-16 text: convert it to UTF-8 first (Format Conversion, or nosk-cli convert)</source>
        <translation>скрипт в UTF-16: сначала преобразуйте его в UTF-8 («Преобразование» или nosk-cli convert)</translation>
    </message>
    <message>
        <source>the script is UTF-32 text: convert it to UTF-8 first (Format Conversion, or nosk-cli convert)</source>
        <translation>скрипт в UTF-32: сначала преобразуйте его в UTF-8 («Преобразование» или nosk-cli convert)</translation>
    </message>
    <message>
        <source>its previous version also stays as %1, which could not be removed: %2</source>
        <translation>его прежняя версия осталась ещё и как %1, её не удалось удалить: %2</translation>
    </message>
    <message>
        <source>a file is already open for writing</source>
        <translation>файл уже открыт для записи</translation>
    </message>
    <message>
        <source>no file is open for writing</source>
        <translation>нет файла, открытого для записи</translation>
    </message>
    <message>
        <source>another run was recorded in this folder after the undo read its journal, so it was left alone; undo again</source>
        <translation>после того как отмена прочла журнал, в этой папке записан другой запуск, поэтому скрипт не тронут; отмените ещё раз</translation>
    </message>
    <message>
        <source>Cannot allocate memory</source>
        <translation>Невозможно выделить память</translation>
    </message>
    <message>
        <source>No locks available</source>
        <translation>Нет доступных блокировок</translation>
    </message>
    <message>
        <source>Bad file descriptor</source>
        <translation>Неверный дескриптор файла</translation>
    </message>
    <message>
        <source>the Replace block has %1 event lines and the Search block %2: in this mode each new line takes the times of the line it replaces</source>
        <translation>в блоке замены строк событий: %1, в блоке поиска: %2; в этом режиме каждая новая строка получает тайминг той, которую заменяет</translation>
    </message>
    <message>
        <source>%1 lines were moved back past 0:00:00.00, where their times stop, or now end before they start</source>
        <translation>строк, сдвинутых назад за 0:00:00.00 (там их время остановилось) или теперь заканчивающихся раньше начала: %1</translation>
    </message>
    <message>
        <source>%1 of the new lines end after the event line that follows them starts</source>
        <translation>новых строк, заканчивающихся после начала следующей за ними строки событий: %1</translation>
    </message>
    <message>
        <source>line %1: the bytes %2 are not %3 text; name the code page the script is in</source>
        <translation>строка %1: байты %2 — не текст %3; укажите кодовую страницу скрипта</translation>
    </message>
    <message>
        <source>line %1: the script ends inside a %2 character (bytes %3); name the code page the script is in</source>
        <translation>строка %1: скрипт обрывается посреди символа %2 (байты %3); укажите кодовую страницу скрипта</translation>
    </message>
    <message>
        <source>its bytes look like %1, but not surely enough to edit them; name the code page the script is in</source>
        <translation>его байты похожи на %1, но не настолько уверенно, чтобы их править; укажите кодовую страницу скрипта</translation>
    </message>
    <message>
        <source>the block holds characters that %1 has no code for: %2</source>
        <translation>в блоке есть символы, которых нет в %1: %2</translation>
    </message>
    <message>
        <source>another program wrote to %1 while Nosk read it, so Nosk did not work on it; run again when that program is done</source>
        <translation>другая программа записывала в %1, пока Nosk читал его, поэтому Nosk его не обработал; запустите снова, когда та программа закончит</translation>
    </message>
    <message>
        <source>The run journal %1 could not be written to the end of this run: %2. The scripts and their backups are in place; Undo takes back what the journal holds of the run.</source>
        <translation>Не удалось дописать журнал запусков %1 до конца этого запуска: %2. Скрипты и их резервные копии на месте; отмена вернёт то, что журнал успел записать об этом запуске.</translation>
    </message>
    <message>
        <source>can&apos;t write the run journal %1: %2</source>
        <translation>не удалось записать журнал запусков %1: %2</translation>
    </message>
    <message>
        <source>the run journal %1 belongs to %2, not to the user it is for, so its runs are not trusted</source>
        <translation>журнал запусков %1 принадлежит пользователю %2, а не тому, для кого он ведётся, поэтому его запускам нет доверия</translation>
    </message>
    <message>
        <source>the run journal %1 has other links or may be written by other users, so its runs are not trusted</source>
        <translation>у журнала запусков %1 есть другие ссылки или в него могут писать другие пользователи, поэтому его запускам нет доверия</translation>
    </message>
    <message>
        <source>the record of run %1 is not trusted: %2</source>
        <translation>записи о запуске %1 нет доверия: %2</translation>
    </message>
    <message>
        <source>it does not match its check, so it was changed after it was written</source>
        <translation>она не сходится со своей контрольной суммой, значит, её изменили после записи</translation>
    </message>
    <message>
        <source>it is longer than any run writes</source>
        <translation>она длиннее, чем пишет любой запуск</translation>
    </message>
    <message>
        <source>it names %1, which is not a file name in the folder</source>
        <translation>в ней указано %1, а это не имя файла в папке</translation>
    </message>
    <message>
        <source>converted, it would be larger than 40,000,000 bytes, more than any run reads; it was not converted</source>
        <translation>после преобразования он был бы больше 40 000 000 байт — больше, чем читает любой запуск; он не преобразован</translation>
    </message>
    <message>
        <source>the folders&apos; last runs are not one run, so each folder&apos;s own last run was taken back: %1</source>
        <translation>последние запуски этих папок — не один запуск, поэтому в каждой папке отменён её собственный последний запуск: %1</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Line %1 is not an event line: %2.</source>
        <translation>Строка %1 — не строка события: %2.</translation>
    </message>
    <message>
        <source>Line %1 is a Format line without a Text field.</source>
        <translation>Строка %1 — строка Format без поля Text.</translation>
    </message>
    <message>
        <source>It holds no event line.</source>
        <translation>В нём нет ни одной строки события.</translation>
    </message>
    <message>
        <source>it does not begin with &quot;Dialogue:&quot; or &quot;Comment:&quot;</source>
        <translation>она не начинается с «Dialogue:» или «Comment:»</translation>
    </message>
    <message>
        <source>it has %1 of the %2 commas</source>
        <translation>в ней запятых: %1 из %2</translation>
    </message>
    <message>
        <source>its layer %1 is not a number</source>
        <translation>её слой %1 — не число</translation>
    </message>
    <message>
        <source>its start time %1 is not H:MM:SS.CC</source>
        <translation>её время начала %1 — не в виде Ч:ММ:СС.СС</translation>
    </message>
    <message>
        <source>its end time %1 is not H:MM:SS.CC</source>
        <translation>её время конца %1 — не в виде Ч:ММ:СС.СС</translation>
    </message>
    <message>
        <source>every run recorded in this folder is taken back already</source>
        <translation>все записанные в этой папке запуски уже отменены</translation>
    </message>
    <message>
        <source>no undo to put back in this folder: none was the last, or a run came after it</source>
        <translation>в этой папке нечего возвращать: последней была не отмена, или после неё был запуск</translation>
    </message>
    <message>
        <source>no run %1 is recorded in this folder</source>
        <translation>в этой папке не записан запуск %1</translation>
    </message>
    <message>
        <source>Redo: the undo %1 (%2) taken back</source>
        <translation>Повтор: отмена %1 (%2) взята назад</translation>
    </message>
    <message>
        <source>only the styles %1</source>
        <translation>только стили %1</translation>
    </message>
    <message>
        <source>all but the styles %1</source>
        <translation>все стили, кроме %1</translation>
    </message>
    <message>
        <source>only the actors %1</source>
        <translation>только персонажи %1</translation>
    </message>
    <message>
        <source>all but the actors %1</source>
        <translation>все персонажи, кроме %1</translation>
    </message>
    <message>
        <source>Comment: lines left out</source>
        <translation>строки Comment: пропущены</translation>
    </message>
    <message>
        <source>exclusions in force: %1</source>
        <translation>действуют исключения: %1</translation>
    </message>
    <message>
        <source>every event line is left out by the exclusions (%1)</source>
        <translation>все строки событий исключены (%1)</translation>
    </message>
    <message>
        <source>event lines</source>
        <translation>строк событий</translation>
    </message>
    <message>
        <source>style lines</source>
        <translation>строк стилей</translation>
    </message>
    <message>
        <source>header lines</source>
        <translation>строк заголовка</translation>
    </message>
    <message>
        <source>any lines</source>
        <translation>любых строк</translation>
    </message>
    <message>
        <source>Line %1 is not a Style: line.</source>
        <translation>Строка %1 — не строка Style:.</translation>
    </message>
    <message>
        <source>Line %1 is not a header line (Key: value).</source>
        <translation>Строка %1 — не строка заголовка (Ключ: значение).</translation>
    </message>
    <message>
        <source>It holds no line.</source>
        <translation>В нём нет ни одной строки.</translation>
    </message>
    <message>
        <source>Among %1 only the replace modes full match and none can be used.</source>
        <translation>Среди %1 можно использовать только режимы замены «Полное соответствие» и «Нет».</translation>
    </message>
    <message>
        <source>Add where missing works on style and header lines only.</source>
        <translation>Добавление при отсутствии работает только для строк стилей и заголовка.</translation>
    </message>
    <message>
        <source>Exclusions and sorting work on event lines only.</source>
        <translation>Исключения и сортировка работают только для строк событий.</translation>
    </message>
    <message>
        <source>found, and already as the Replace block has it</source>
        <translation>найдено и уже совпадает с блоком замены</translation>
    </message>
    <message>
        <source>it had none: the Replace block is added</source>
        <translation>блока не было: блок замены добавлен</translation>
    </message>
    <message>
        <source>by time</source>
        <translation>по времени</translation>
    </message>
    <message>
        <source>by style</source>
        <translation>по стилю</translation>
    </message>
    <message>
        <source>by actor</source>
        <translation>по персонажу</translation>
    </message>
    <message>
        <source>Sort: event lines %1</source>
        <translation>Сортировка: строки событий %1</translation>
    </message>
    <message>
        <source>Nothing to find: the text to find is empty.</source>
        <translation>Нечего искать: искомый текст пуст.</translation>
    </message>
    <message>
        <source>The pattern is not valid at offset %1: %2.</source>
        <translation>Шаблон неверен в позиции %1: %2.</translation>
    </message>
    <message>
        <source>The pattern would match an empty text.</source>
        <translation>Шаблон совпал бы с пустым текстом.</translation>
    </message>
    <message>
        <source>The replacement&apos;s $ at offset %1 names no group: write $$ for a $.</source>
        <translation>Знак $ замены в позиции %1 не называет группу: для самого $ пишите $$.</translation>
    </message>
    <message>
        <source>The replacement names %1, a group the pattern does not have.</source>
        <translation>Замена называет %1 — такой группы в шаблоне нет.</translation>
    </message>
    <message>
        <source>the replacement failed: %1</source>
        <translation>замена не удалась: %1</translation>
    </message>
    <message>
        <source>line %1: its text would not come back the same from %2; the script was not edited</source>
        <translation>строка %1: её текст не вернулся бы тем же из %2; скрипт не изменён</translation>
    </message>
    <message>
        <source>Text Replace: %1 with %2</source>
        <translation>Замена текста: %1 на %2</translation>
    </message>
    <message>
        <source>the pattern %1</source>
        <translation>шаблон %1</translation>
    </message>
    <message>
        <source>the text %1</source>
        <translation>текст %1</translation>
    </message>
    <message>
        <source>pattern</source>
        <translation>шаблон</translation>
    </message>
    <message>
        <source>ignore case</source>
        <translation>без учёта регистра</translation>
    </message>
    <message>
        <source>whole words</source>
        <translation>целые слова</translation>
    </message>
    <message>
        <source>inside tags</source>
        <translation>внутри тегов</translation>
    </message>
    <message>
        <source>Comment lines too</source>
        <translation>и строки Comment:</translation>
    </message>
    <message>
        <source>added where missing</source>
        <translation>добавлено, где не было</translation>
    </message>
</context>
<context>
    <name>Page</name>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>Close Nosk</source>
        <translation>Закрыть Nosk</translation>
    </message>
</context>
<context>
    <name>nosk::ui::AdvancedSettingsPage</name>
    <message>
        <source>Search Mode</source>
        <translation>Режим поиска</translation>
    </message>
    <message>
        <source>Text only</source>
        <translation>Только текст</translation>
    </message>
    <message>
        <source>Text and format</source>
        <translation>Текст и формат</translation>
    </message>
    <message>
        <source>Full match (with offset)</source>
        <translation>Полное соответствие (со смещением)</translation>
    </message>
    <message>
        <source>Full match</source>
        <translation>Полное соответствие</translation>
    </message>
    <message>
        <source>Search Section</source>
        <translation>Где искать</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>События</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Стили</translation>
    </message>
    <message>
        <source>Header</source>
        <translation>Заголовок</translation>
    </message>
    <message>
        <source>No restriction</source>
        <translation>Везде</translation>
    </message>
    <message>
        <source>File Preprocessing</source>
        <translation>Подготовка файла</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>Sort by time</source>
        <translation>Сортировать по времени</translation>
    </message>
    <message>
        <source>Sort by style</source>
        <translation>Сортировать по стилю</translation>
    </message>
    <message>
        <source>Sort by actor</source>
        <translation>Сортировать по актёру</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Back to the page this one was opened from</source>
        <translation>Вернуться на страницу, с которой открыта эта</translation>
    </message>
    <message>
        <source>Compare only the Text field: times, style, name, margins and effect may differ</source>
        <translation>Сравнивать только поле Text: время, стиль, имя, отступы и эффект могут различаться</translation>
    </message>
    <message>
        <source>Compare every field but the Start and End times</source>
        <translation>Сравнивать все поля, кроме времени начала и конца</translation>
    </message>
    <message>
        <source>Compare whole lines, times included</source>
        <translation>Сравнивать строки целиком, вместе со временем</translation>
    </message>
    <message>
        <source>Scripts without a mark</source>
        <translation>Скрипты без метки</translation>
    </message>
    <message>
        <source>Detect</source>
        <translation>Определить</translation>
    </message>
    <message>
        <source>The code page of scripts that are neither UTF-8 nor marked: the blocks are put in it and every line keeps its bytes. Detect guesses it for each script, and the Result&apos;s hint names the guess</source>
        <translation>Кодовая страница скриптов не в UTF-8 и без метки: блоки переводятся в неё, а каждая строка сохраняет свои байты. «Определить» угадывает её для каждого скрипта, а подсказка к «Итогу» называет догадку</translation>
    </message>
    <message>
        <source>Look for the block among the event lines of [Events]</source>
        <translation>Искать блок среди строк событий [Events]</translation>
    </message>
    <message>
        <source>Look for Style: lines in the style sections; Text only and Text and format compare the style&apos;s name</source>
        <translation>Искать строки Style: в разделах стилей; «Только текст» и «Текст и формат» сравнивают имя стиля</translation>
    </message>
    <message>
        <source>Look for Key: value lines in [Script Info]; Text only and Text and format compare the key</source>
        <translation>Искать строки «Ключ: значение» в [Script Info]; «Только текст» и «Текст и формат» сравнивают ключ</translation>
    </message>
    <message>
        <source>Look among every line outside [Fonts] and [Graphics], whole lines compared</source>
        <translation>Искать среди всех строк вне [Fonts] и [Graphics], сравнивая строки целиком</translation>
    </message>
    <message>
        <source>Add where missing</source>
        <translation>Добавить, если нет</translation>
    </message>
    <message>
        <source>A script without the Style or Header block gets the Replace block at the end of the section, made when it has none</source>
        <translation>Скрипт без блока стиля или заголовка получает блок замены в конце раздела (раздел создаётся, если его нет)</translation>
    </message>
    <message>
        <source>Leave the event lines in their order</source>
        <translation>Оставить строки событий в их порядке</translation>
    </message>
    <message>
        <source>Before the edit, put the event lines in order of Start, then End; every line keeps its bytes</source>
        <translation>Перед правкой упорядочить строки событий по началу, затем по концу; каждая строка сохраняет свои байты</translation>
    </message>
    <message>
        <source>Before the edit, put the event lines in order of style name, then Start</source>
        <translation>Перед правкой упорядочить строки событий по имени стиля, затем по началу</translation>
    </message>
    <message>
        <source>Before the edit, put the event lines in order of actor name, then Start</source>
        <translation>Перед правкой упорядочить строки событий по имени персонажа, затем по началу</translation>
    </message>
    <message>
        <source>Compare whole lines, the block moved in time: its lines keep their timing among themselves</source>
        <translation>Сравнивать строки целиком, блок сдвинут во времени: его строки сохраняют тайминг между собой</translation>
    </message>
</context>
<context>
    <name>nosk::ui::ChangeView</name>
    <message>
        <source>the UTF-8 mark is removed</source>
        <translation>метка UTF-8 удаляется</translation>
    </message>
    <message>
        <source>the UTF-8 mark is added</source>
        <translation>метка UTF-8 добавляется</translation>
    </message>
    <message>
        <source>block</source>
        <translation>блок</translation>
    </message>
    <message>
        <source>script</source>
        <translation>скрипт</translation>
    </message>
    <message>
        <source>The script has no event line to compare with the block.</source>
        <translation>В скрипте нет строк событий, с которыми можно сравнить блок.</translation>
    </message>
    <message>
        <source>The block was not found. No line of it matches; line %1 comes closest to its first line:</source>
        <translation>Блок не найден. Ни одна его строка не совпадает; ближе всего к его первой строке строка %1:</translation>
    </message>
    <message>
        <source>The block was not found. Its first %1 of %2 lines match from line %3, where the script&apos;s event lines end.</source>
        <translation>Блок не найден. Первые его строки (%1 из %2) совпадают начиная со строки %3, где строки событий скрипта кончаются.</translation>
    </message>
    <message>
        <source>The block was not found. %1 of its %2 lines match from line %3; then line %4 differs from its line %5:</source>
        <translation>Блок не найден. Совпадают строк: %1 из %2, начиная со строки %3; затем строка %4 отличается от его строки %5:</translation>
    </message>
    <message>
        <source>The block was not found. Its lines match from line %1 apart from their times, but its inner timing differs: line %2 is not at the offset of the first (its line %3, moved by that offset):</source>
        <translation>Блок не найден. Его строки совпадают начиная со строки %1, кроме времени, но внутренний тайминг другой: строка %2 не на смещении первой (его строка %3, сдвинутая на это смещение):</translation>
    </message>
</context>
<context>
    <name>nosk::ui::DesktopServices</name>
    <message>
        <source>Advanced SubStation Alpha (*.ass *.ssa);;All files (*)</source>
        <translation>Субтитры Advanced SubStation Alpha (*.ass *.ssa);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Add subtitles from folder:</source>
        <translation>Добавить субтитры из каталога:</translation>
    </message>
</context>
<context>
    <name>nosk::ui::ExclusionsDialog</name>
    <message>
        <source>Choose the styles and actors the run sees, and whether it sees Comment: lines; the lines left out are never matched nor changed</source>
        <translation>Выбрать стили и персонажей, которых видит запуск, и видит ли он строки Comment:; исключённые строки не сравниваются и не меняются</translation>
    </message>
    <message>
        <source>Exclusions</source>
        <translation>Исключения</translation>
    </message>
    <message>
        <source>Styles</source>
        <translation>Стили</translation>
    </message>
    <message>
        <source>Actors</source>
        <translation>Персонажи</translation>
    </message>
    <message>
        <source>The styles of the listed scripts&apos; event lines</source>
        <translation>Стили строк событий скриптов из списка</translation>
    </message>
    <message>
        <source>The actors (Name field) of the listed scripts&apos; event lines</source>
        <translation>Персонажи (поле Name) строк событий скриптов из списка</translation>
    </message>
    <message>
        <source>The run sees only the checked ones</source>
        <translation>Запуск видит только отмеченные</translation>
    </message>
    <message>
        <source>Only lines of a checked style (and of a checked actor, where any is checked)</source>
        <translation>Только строки отмеченного стиля (и отмеченного персонажа, если такие есть)</translation>
    </message>
    <message>
        <source>The run sees all but the checked ones</source>
        <translation>Запуск видит все, кроме отмеченных</translation>
    </message>
    <message>
        <source>Every line but those of a checked style or actor</source>
        <translation>Все строки, кроме строк отмеченного стиля или персонажа</translation>
    </message>
    <message>
        <source>Skip Comment: lines</source>
        <translation>Пропускать строки Comment:</translation>
    </message>
    <message>
        <source>Comment: lines are left out, so that one inside a block does not break it</source>
        <translation>Строки Comment: исключаются, чтобы такая строка внутри блока не мешала его найти</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>О&amp;чистить</translation>
    </message>
    <message>
        <source>Uncheck every name: the run sees every line</source>
        <translation>Снять все отметки: запуск видит все строки</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>nosk::ui::FileGridModel</name>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Файлы</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Итог</translation>
    </message>
</context>
<context>
    <name>nosk::ui::FormatConversionPage</name>
    <message>
        <source>Source encoding</source>
        <translation>Исходная кодировка</translation>
    </message>
    <message>
        <source>Detect</source>
        <translation>Определить</translation>
    </message>
    <message>
        <source>The code page of scripts that are neither UTF-8 nor marked UTF-16: Detect guesses it for each script, and the Result&apos;s hint names the guess</source>
        <translation>Кодовая страница скриптов, которые не в UTF-8 и не помечены как UTF-16: «Определить» угадывает её для каждого скрипта, а подсказка «Итога» называет догадку</translation>
    </message>
    <message>
        <source>Target encoding</source>
        <translation>Кодировка результата</translation>
    </message>
    <message>
        <source>UTF-8 with mark (BOM)</source>
        <translation>UTF-8 с меткой (BOM)</translation>
    </message>
    <message>
        <source>Write UTF-8 that begins with the mark, as players expect of .ass</source>
        <translation>Записывать UTF-8 с меткой в начале, как ждут от .ass плееры</translation>
    </message>
    <message>
        <source>UTF-8 without mark</source>
        <translation>UTF-8 без метки</translation>
    </message>
    <message>
        <source>Write UTF-8 without the mark</source>
        <translation>Записывать UTF-8 без метки</translation>
    </message>
    <message>
        <source>Line ends</source>
        <translation>Концы строк</translation>
    </message>
    <message>
        <source>Keep each line&apos;s own</source>
        <translation>Оставить как есть</translation>
    </message>
    <message>
        <source>Leave every line end as it is</source>
        <translation>Оставить каждый конец строки как есть</translation>
    </message>
    <message>
        <source>CR LF (Windows)</source>
        <translation>CR LF (как в Windows)</translation>
    </message>
    <message>
        <source>End every line with CR LF</source>
        <translation>Заканчивать каждую строку на CR LF</translation>
    </message>
    <message>
        <source>LF (Unix)</source>
        <translation>LF (как в Unix)</translation>
    </message>
    <message>
        <source>End every line with LF alone</source>
        <translation>Заканчивать каждую строку на LF</translation>
    </message>
    <message>
        <source>Conversion</source>
        <translation>Преобразование</translation>
    </message>
    <message>
        <source>Each checked script is written in UTF-8 with the chosen line ends, and nothing else about it changes. UTF-8 and UTF-16 scripts are recognised; any other is read in the source encoding. A script already in that form gets 0 and is left alone; one whose bytes are not valid text gets Error and is not written. Previous versions go to Nosk_backup.</source>
        <translation>Каждый отмеченный скрипт записывается в UTF-8 с выбранными концами строк; больше ничего не меняется. UTF-8 и UTF-16 распознаются сами, остальное читается в исходной кодировке. Скрипт, который уже в таком виде, получает 0; скрипт, чьи байты — не текст, получает «Ошибка» и не записывается. Прежние версии — в Nosk_backup.</translation>
    </message>
    <message>
        <source>See what Convert would change, and apply it from there</source>
        <translation>Посмотреть, что изменит «Преобразовать», и применить оттуда</translation>
    </message>
    <message>
        <source>Convert every checked script; the previous versions go to Nosk_backup</source>
        <translation>Преобразовать каждый отмеченный скрипт; прежние версии сохраняются в Nosk_backup</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Преобразование</translation>
    </message>
    <message>
        <source>&amp;Preview...</source>
        <translation>&amp;Просмотр...</translation>
    </message>
    <message>
        <source>&amp;Convert</source>
        <comment>button</comment>
        <translation>П&amp;реобразовать</translation>
    </message>
</context>
<context>
    <name>nosk::ui::HistoryDialog</name>
    <message>
        <source>%1: %2 older runs are not shown.</source>
        <translation>%1: более старые запуски (%2) не показаны.</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Журнал</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>Operation</source>
        <translation>Действие</translation>
    </message>
    <message>
        <source>Scripts</source>
        <translation>Скрипты</translation>
    </message>
    <message>
        <source>Who</source>
        <translation>Кто</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Папка</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Состояние</translation>
    </message>
    <message>
        <source>taken back</source>
        <translation>отменён</translation>
    </message>
    <message>
        <source>stopped before it ended</source>
        <translation>прерван до завершения</translation>
    </message>
    <message>
        <source>&amp;Take Back</source>
        <translation>&amp;Отменить его</translation>
    </message>
    <message>
        <source>Give the scripts of the selected run their versions before it, where they are still as the run left them</source>
        <translation>Вернуть скриптам выбранного запуска их версии до него — тем, что остались такими, какими запуск их оставил</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>No run is recorded in the folders of the listed scripts.</source>
        <translation>В папках скриптов списка не записано ни одного запуска.</translation>
    </message>
    <message>
        <source>Only %1 can take back this run.</source>
        <translation>Отменить этот запуск может только %1.</translation>
    </message>
</context>
<context>
    <name>nosk::ui::PanelStatusBar</name>
    <message>
        <source>%1 of %2 checked</source>
        <translation>отмечено %1 из %2</translation>
    </message>
</context>
<context>
    <name>nosk::ui::PreviewDialog</name>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>unchanged</source>
        <translation>без изменений</translation>
    </message>
    <message>
        <source>lines changed: %1</source>
        <translation>изменится строк: %1</translation>
    </message>
    <message>
        <source>Script</source>
        <translation>Скрипт</translation>
    </message>
    <message>
        <source>Found</source>
        <translation>Найдено</translation>
    </message>
    <message>
        <source>What the run would do</source>
        <translation>Что сделает запуск</translation>
    </message>
    <message>
        <source>Scripts that would change: %1, unchanged: %2, failed: %3.</source>
        <translation>Изменятся скрипты: %1, без изменений: %2, с ошибкой: %3.</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>Write exactly what is shown; a script changed on disk since is left alone</source>
        <translation>Записать в точности то, что показано; скрипт, изменившийся с тех пор на диске, не трогается</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Close the preview without writing anything</source>
        <translation>Закрыть просмотр, ничего не записывая</translation>
    </message>
    <message>
        <source>Error: %1</source>
        <translation>Ошибка: %1</translation>
    </message>
    <message>
        <source>The run would not change it.</source>
        <translation>Запуск его не изменит.</translation>
    </message>
    <message>
        <source>It changed on disk since the preview: Apply will leave it alone.</source>
        <translation>Он изменился на диске после просмотра: «Применить» его не тронет.</translation>
    </message>
    <message>
        <source>In %1 of them, new lines end after the event line that follows them starts.</source>
        <translation>В %1 из них новые строки заканчиваются после начала следующей за ними строки событий.</translation>
    </message>
    <message>
        <source>All scripts</source>
        <translation>Все скрипты</translation>
    </message>
    <message>
        <source>Only the scripts that would change</source>
        <translation>Только скрипты, которые изменятся</translation>
    </message>
    <message>
        <source>Only the scripts that failed</source>
        <translation>Только скрипты с ошибкой</translation>
    </message>
    <message>
        <source>&amp;Show:</source>
        <translation>&amp;Показать:</translation>
    </message>
    <message>
        <source>No script of this kind.</source>
        <translation>Таких скриптов нет.</translation>
    </message>
</context>
<context>
    <name>nosk::ui::ScriptReplacePage</name>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Поиск</translation>
    </message>
    <message>
        <source>How event lines are compared with the Search block</source>
        <translation>Как строки событий сравниваются с блоком поиска</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Замена</translation>
    </message>
    <message>
        <source>What the Replace block puts in place of each occurrence</source>
        <translation>Что блок замены ставит на место каждого вхождения</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>Text only</source>
        <translation>Только текст</translation>
    </message>
    <message>
        <source>Text and format</source>
        <translation>Текст и формат</translation>
    </message>
    <message>
        <source>Timing shift</source>
        <translation>Смещение тайминга</translation>
    </message>
    <message>
        <source>Full match</source>
        <translation>Полное соответствие</translation>
    </message>
    <message>
        <source>Replace nothing: only Search runs</source>
        <translation>Ничего не заменять: работает только поиск</translation>
    </message>
    <message>
        <source>Give the matched lines the Text of the Replace lines; everything else stays</source>
        <translation>Дать найденным строкам текст строк замены; всё остальное остаётся</translation>
    </message>
    <message>
        <source>Put the Replace lines in, with the times of the lines they replace</source>
        <translation>Вставить строки замены со временем заменяемых строк</translation>
    </message>
    <message>
        <source>Put the Replace lines in, moved to start where each occurrence starts</source>
        <translation>Вставить строки замены, сдвинув их к началу каждого вхождения</translation>
    </message>
    <message>
        <source>Put the Replace lines in as they are typed</source>
        <translation>Вставить строки замены как они набраны</translation>
    </message>
    <message>
        <source>Left click: this search mode; right click: this replace mode</source>
        <translation>Левый щелчок — этот режим поиска, правый — этот режим замены</translation>
    </message>
    <message>
        <source>More...</source>
        <translation>Дополнительно...</translation>
    </message>
    <message>
        <source>Exclusions...</source>
        <translation>Исключения...</translation>
    </message>
    <message>
        <source>The block to find: event lines in a row, one per line</source>
        <translation>Искомый блок: идущие подряд строки событий, по одной в строке</translation>
    </message>
    <message>
        <source>The lines that replace each occurrence; none: the occurrences are deleted</source>
        <translation>Строки, которые заменят каждое вхождение; если их нет, вхождения удаляются</translation>
    </message>
    <message>
        <source>See what Replace would change, and apply it from there</source>
        <translation>Посмотреть, что изменит замена, и применить её оттуда</translation>
    </message>
    <message>
        <source>Count the occurrences of the block in every checked script</source>
        <translation>Сосчитать вхождения блока в каждом отмеченном скрипте</translation>
    </message>
    <message>
        <source>Replace the block in every checked script; the previous versions go to Nosk_backup</source>
        <translation>Заменить блок в каждом отмеченном скрипте; прежние версии попадут в Nosk_backup</translation>
    </message>
    <message>
        <source>&amp;Preview...</source>
        <translation>&amp;Просмотр...</translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <comment>button</comment>
        <translation>&amp;Найти</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <comment>button</comment>
        <translation>&amp;Заменить</translation>
    </message>
    <message>
        <source>Choose how lines are compared with the block, on Advanced Settings</source>
        <translation>Выбрать на вкладке «Дополнительно», как строки сравниваются с блоком</translation>
    </message>
</context>
<context>
    <name>nosk::ui::TMainForm</name>
    <message>
        <source>Script Replace</source>
        <translation>Замена в скриптах</translation>
    </message>
    <message>
        <source>Timing Shift</source>
        <translation>Сдвиг тайминга</translation>
    </message>
    <message>
        <source>Format Conversion</source>
        <translation>Преобразование</translation>
    </message>
    <message>
        <source>Advanced Settings</source>
        <translation>Дополнительно</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>%1: %2 changed, %3 unchanged, %4 failed.</source>
        <translation>%1: изменено %2, без изменений %3, с ошибкой %4.</translation>
    </message>
    <message>
        <source>Double-click a row for its reason.</source>
        <translation>Причина — по двойному щелчку на строке.</translation>
    </message>
    <message>
        <source>Previous versions: %1.</source>
        <translation>Прежние версии: %1.</translation>
    </message>
    <message>
        <source>Previous versions: in Nosk_backup beside each script.</source>
        <translation>Прежние версии: в Nosk_backup рядом с каждым скриптом.</translation>
    </message>
    <message>
        <source>Undo Last Run takes the run back.</source>
        <translation>«Отменить последний запуск» вернёт всё назад.</translation>
    </message>
    <message>
        <source>... and %1 more.</source>
        <translation>... и ещё %1.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Результат</translation>
    </message>
    <message>
        <source>Add script files (.ass, .ssa) to the list</source>
        <translation>Добавить в список файлы скриптов (.ass, .ssa)</translation>
    </message>
    <message>
        <source>Add the .ass and .ssa files of a folder to the list</source>
        <translation>Добавить в список файлы .ass и .ssa из папки</translation>
    </message>
    <message>
        <source>Take the selected rows off the list; the files stay on disk</source>
        <translation>Убрать выделенные строки из списка; файлы остаются на диске</translation>
    </message>
    <message>
        <source>Empty the list; the files stay on disk</source>
        <translation>Очистить список; файлы остаются на диске</translation>
    </message>
    <message>
        <source>Take back the last run recorded in the folders of the checked scripts</source>
        <translation>Отменить последний записанный запуск в папках отмеченных скриптов</translation>
    </message>
    <message>
        <source>Close Nosk</source>
        <translation>Закрыть Nosk</translation>
    </message>
    <message>
        <source>Name, version and licence of Nosk</source>
        <translation>Название, версия и лицензия Nosk</translation>
    </message>
    <message>
        <source>The scripts a run works on (the checked ones); Result shows what the last run did: double-click a row for its reason</source>
        <translation>Скрипты, с которыми работает запуск (отмеченные); «Итог» показывает, что сделал последний запуск; причина — по двойному щелчку</translation>
    </message>
    <message>
        <source>Find a block of event lines in every checked script, count it or replace it</source>
        <translation>Найти блок строк событий в каждом отмеченном скрипте, сосчитать или заменить его</translation>
    </message>
    <message>
        <source>Move the times of event lines in every checked script</source>
        <translation>Сдвинуть время строк событий в каждом отмеченном скрипте</translation>
    </message>
    <message>
        <source>Convert the encoding and line ends of every checked script</source>
        <translation>Преобразовать кодировку и концы строк каждого отмеченного скрипта</translation>
    </message>
    <message>
        <source>How event lines are compared with the Search block</source>
        <translation>Как строки событий сравниваются с блоком поиска</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>&amp;Добавить...</translation>
    </message>
    <message>
        <source>A&amp;dd folder...</source>
        <translation>Добавить &amp;папку...</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Убрать</translation>
    </message>
    <message>
        <source>R&amp;emove all</source>
        <translation>Убрать &amp;все</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>В&amp;ыход</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;О программе...</translation>
    </message>
    <message>
        <source>&amp;Undo Last Run</source>
        <translation>&amp;Отменить последний запуск</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>Filelist</source>
        <translation>Список файлов</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>Добавить...</translation>
    </message>
    <message>
        <source>Add folder...</source>
        <translation>Папка...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Убрать</translation>
    </message>
    <message>
        <source>Remove all</source>
        <translation>Убрать все</translation>
    </message>
    <message>
        <source>About Nosk</source>
        <translation>О программе Nosk</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Nosk %1&lt;/h3&gt;&lt;p&gt;Nosk applies one edit to many Advanced SubStation Alpha subtitle scripts (.ass, .ssa) at once: it replaces a block of event lines, or moves their times, in a whole season, keeping every previous version.&lt;/p&gt;&lt;p&gt;Licence: MIT.&lt;/p&gt;&lt;p&gt;Qt %2&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Nosk %1&lt;/h3&gt;&lt;p&gt;Nosk вносит одну правку сразу во множество скриптов субтитров Advanced SubStation Alpha (.ass, .ssa): заменяет блок строк событий или сдвигает их время во всём сезоне, сохраняя каждую прежнюю версию.&lt;/p&gt;&lt;p&gt;Лицензия: MIT.&lt;/p&gt;&lt;p&gt;Qt %2&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Preview: %1</source>
        <translation>Просмотр: %1</translation>
    </message>
    <message>
        <source>Internal application error.</source>
        <translation>Внутренняя ошибка программы.</translation>
    </message>
    <message>
        <source>The subfolders of %1 hold scripts too; they were not added.</source>
        <translation>Во вложенных папках %1 тоже есть скрипты; они не добавлены.</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Найти</translation>
    </message>
    <message>
        <source>&amp;Open Containing Folder</source>
        <translation>&amp;Открыть папку с файлом</translation>
    </message>
    <message>
        <source>&amp;Check All</source>
        <translation>Отметить &amp;все</translation>
    </message>
    <message>
        <source>&amp;Uncheck All</source>
        <translation>Сн&amp;ять все отметки</translation>
    </message>
    <message>
        <source>&amp;Invert Checks</source>
        <translation>Обр&amp;атить отметки</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Повтор</translation>
    </message>
    <message>
        <source>Red&amp;o</source>
        <translation>Пов&amp;торить</translation>
    </message>
    <message>
        <source>&amp;History...</source>
        <translation>&amp;Журнал...</translation>
    </message>
    <message>
        <source>Take Back would restore %1 of its scripts.</source>
        <translation>Отмена вернёт прежние версии скриптов: %1.</translation>
    </message>
    <message>
        <source>%1 cannot be taken back; the first, %2</source>
        <translation>Не отменить для скриптов: %1; первый из них — %2</translation>
    </message>
    <message>
        <source>No exclusions: runs see every event line.</source>
        <translation>Исключений нет: запуски видят все строки событий.</translation>
    </message>
    <message>
        <source>Text Replace</source>
        <translation>Замена текста</translation>
    </message>
</context>
<context>
    <name>nosk::ui::TextReplacePage</name>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Pattern</source>
        <translation>Шаблон</translation>
    </message>
    <message>
        <source>Find is a Perl-compatible regular expression; Replace with may use $1...$9, ${name} and $$</source>
        <translation>«Найти» — регулярное выражение Perl; в «Заменить на» можно использовать $1...$9, ${name} и $$</translation>
    </message>
    <message>
        <source>Ignore case</source>
        <translation>Без учёта регистра</translation>
    </message>
    <message>
        <source>Compare without case, in every alphabet</source>
        <translation>Сравнивать без учёта регистра, в любом алфавите</translation>
    </message>
    <message>
        <source>Whole words</source>
        <translation>Слова целиком</translation>
    </message>
    <message>
        <source>Match only where no letter or digit is just before or after</source>
        <translation>Совпадение, только если сразу до и после нет буквы или цифры</translation>
    </message>
    <message>
        <source>Search inside tags</source>
        <translation>Искать внутри тегов</translation>
    </message>
    <message>
        <source>Search the override blocks {...} too; otherwise they are never searched nor changed</source>
        <translation>Искать и в блоках тегов {...}; иначе они не просматриваются и не меняются</translation>
    </message>
    <message>
        <source>Include Comment lines</source>
        <translation>Включая строки Comment</translation>
    </message>
    <message>
        <source>Search the Comment: lines too; otherwise they are left out</source>
        <translation>Искать и в строках Comment:; иначе они пропускаются</translation>
    </message>
    <message>
        <source>Exclusions...</source>
        <translation>Исключения...</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Найти</translation>
    </message>
    <message>
        <source>The text to find inside the lines&apos; Text</source>
        <translation>Текст, который нужно найти в тексте строк</translation>
    </message>
    <message>
        <source>Replace with</source>
        <translation>Заменить на</translation>
    </message>
    <message>
        <source>What each match becomes; empty: the matches are deleted</source>
        <translation>Чем станет каждое совпадение; пусто — совпадения удаляются</translation>
    </message>
    <message>
        <source>&amp;Preview...</source>
        <translation>&amp;Просмотр...</translation>
    </message>
    <message>
        <source>See what Replace would change, and apply it from there</source>
        <translation>Посмотреть, что изменит замена, и применить её оттуда</translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <comment>button</comment>
        <translation>&amp;Найти</translation>
    </message>
    <message>
        <source>Count the matches in every checked script</source>
        <translation>Подсчитать совпадения в каждом отмеченном скрипте</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <comment>button</comment>
        <translation>&amp;Заменить</translation>
    </message>
    <message>
        <source>Replace every match in every checked script; the previous versions go to Nosk_backup</source>
        <translation>Заменить каждое совпадение в каждом отмеченном скрипте; прежние версии уходят в Nosk_backup</translation>
    </message>
    <message>
        <source>Text Replace</source>
        <translation>Замена текста</translation>
    </message>
</context>
<context>
    <name>nosk::ui::TimingShiftPage</name>
    <message>
        <source>Shift by</source>
        <translation>Сдвиг на</translation>
    </message>
    <message>
        <source>Backward</source>
        <translation>Назад</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Вперёд</translation>
    </message>
    <message>
        <source>Move the times later</source>
        <translation>Сдвинуть время позже</translation>
    </message>
    <message>
        <source>Move the times earlier</source>
        <translation>Сдвинуть время раньше</translation>
    </message>
    <message>
        <source>Set the amount to zero</source>
        <translation>Обнулить величину сдвига</translation>
    </message>
    <message>
        <source>Paste an amount: 1.5, 1:30 or 1m30s; a minus sign moves back</source>
        <translation>Вставьте величину: 1.5, 1:30 или 1m30s; знак минус сдвигает назад</translation>
    </message>
    <message>
        <source>Affect</source>
        <translation>Что сдвигать</translation>
    </message>
    <message>
        <source>All Files, All Rows</source>
        <translation>Все файлы, все строки</translation>
    </message>
    <message>
        <source>Shift every event line of every checked script; the Search block is not used</source>
        <translation>Сдвинуть все строки событий каждого отмеченного скрипта; блок поиска не используется</translation>
    </message>
    <message>
        <source>All Rows</source>
        <translation>Все строки</translation>
    </message>
    <message>
        <source>Shift every event line, in the scripts that hold the block</source>
        <translation>Сдвинуть все строки событий в скриптах, где есть блок</translation>
    </message>
    <message>
        <source>Rows Before</source>
        <translation>Строки до блока</translation>
    </message>
    <message>
        <source>Shift the lines before the block&apos;s first occurrence</source>
        <translation>Сдвинуть строки до первого вхождения блока</translation>
    </message>
    <message>
        <source>Rows After</source>
        <translation>Строки после блока</translation>
    </message>
    <message>
        <source>Shift the lines after the block&apos;s first occurrence</source>
        <translation>Сдвинуть строки после первого вхождения блока</translation>
    </message>
    <message>
        <source>Include Search Block</source>
        <translation>Включая сам блок</translation>
    </message>
    <message>
        <source>With Rows Before or Rows After: shift the occurrence&apos;s own lines too</source>
        <translation>Вместе с «Строки до» или «Строки после»: сдвинуть и строки самого вхождения</translation>
    </message>
    <message>
        <source>Times</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>Start/End Times</source>
        <translation>Начало и конец</translation>
    </message>
    <message>
        <source>Move the Start and the End times</source>
        <translation>Сдвинуть время начала и конца</translation>
    </message>
    <message>
        <source>Start Times Only</source>
        <translation>Только начало</translation>
    </message>
    <message>
        <source>Move the Start times only</source>
        <translation>Сдвинуть только время начала</translation>
    </message>
    <message>
        <source>End Times Only</source>
        <translation>Только конец</translation>
    </message>
    <message>
        <source>Move the End times only</source>
        <translation>Сдвинуть только время конца</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Поиск</translation>
    </message>
    <message>
        <source>Settings...</source>
        <translation>Настройки...</translation>
    </message>
    <message>
        <source>Choose how lines are compared with the block</source>
        <translation>Выбрать, как строки сравниваются с блоком</translation>
    </message>
    <message>
        <source>The block whose first occurrence divides each script; not used with All Files, All Rows</source>
        <translation>Блок, первое вхождение которого делит каждый скрипт; не используется при «Все файлы, все строки»</translation>
    </message>
    <message>
        <source>See what Shift Times would change, and apply it from there</source>
        <translation>Посмотреть, что изменит сдвиг, и применить его оттуда</translation>
    </message>
    <message>
        <source>Tell which checked scripts a shift would change</source>
        <translation>Узнать, какие отмеченные скрипты изменит сдвиг</translation>
    </message>
    <message>
        <source>Shift the times in every checked script; the previous versions go to Nosk_backup</source>
        <translation>Сдвинуть время в каждом отмеченном скрипте; прежние версии попадут в Nosk_backup</translation>
    </message>
    <message>
        <source>Shift Times</source>
        <translation>Сдвиг времени</translation>
    </message>
    <message>
        <source>&amp;Preview...</source>
        <translation>&amp;Просмотр...</translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <comment>button</comment>
        <translation>&amp;Найти</translation>
    </message>
    <message>
        <source>Shift &amp;Times</source>
        <comment>button</comment>
        <translation>&amp;Сдвинуть</translation>
    </message>
    <message>
        <source>±0.01 s: Up/Down
±1 s: Shift+Up/Down
±1 min: Ctrl+Up/Down
±1 hour: Ctrl+Shift+Up/Down</source>
        <translation>±0,01 с: Вверх/Вниз
±1 с: Shift+Вверх/Вниз
±1 мин: Ctrl+Вверх/Вниз
±1 ч: Ctrl+Shift+Вверх/Вниз</translation>
    </message>
    <message>
        <source>%1 is not an amount: give 1.5, 90s, 1m30s or H:MM:SS.CC; the amount stays</source>
        <translation>%1 — не величина сдвига: укажите 1.5, 90s, 1m30s или Ч:ММ:СС.СС; величина не изменена</translation>
    </message>
    <message>
        <source>Exclusions...</source>
        <translation>Исключения...</translation>
    </message>
</context>
</TS>
