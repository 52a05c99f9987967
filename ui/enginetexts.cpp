#include "ui/enginetexts.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <vector>

namespace nosk::ui {
namespace {

// Every sentence the engine makes its texts from, %1, %2, ... standing for the parts it puts in.
// The more particular ones come first: the first that matches a whole text is taken.
const char* const kSentences[] = {
    // Status texts and messages of a run.
    QT_TRANSLATE_NOOP("EngineText", "No files."),
    QT_TRANSLATE_NOOP("EngineText", "Replace data error."),
    QT_TRANSLATE_NOOP("EngineText", "Search data error."),
    QT_TRANSLATE_NOOP("EngineText", "Search data too large."),
    QT_TRANSLATE_NOOP("EngineText", "Replace data too large."),
    QT_TRANSLATE_NOOP("EngineText", "Internal application error."),
    QT_TRANSLATE_NOOP("EngineText", "Reading data. Please, wait..."),
    QT_TRANSLATE_NOOP("EngineText", "Data processing. Please, wait..."),
    QT_TRANSLATE_NOOP("EngineText", "Data searching. Please, wait..."),
    QT_TRANSLATE_NOOP("EngineText", "Writing data. Please, wait..."),
    QT_TRANSLATE_NOOP("EngineText", "Preparing the preview. Please, wait..."),
    QT_TRANSLATE_NOOP("EngineText", "Replace Data Error"),
    QT_TRANSLATE_NOOP("EngineText",
                      "There is more replace strings than search strings.\n"
                      "Can't do such replacement in current mode."),
    QT_TRANSLATE_NOOP("EngineText", "Error"),
    QT_TRANSLATE_NOOP("EngineText", "waiting for another Nosk run on %1"),
    // Why a script failed, or what to know besides its count.
    QT_TRANSLATE_NOOP("EngineText",
                      "the script is UTF-16 text: convert it to UTF-8 first (Format Conversion, or "
                      "nosk-cli convert)"),
    QT_TRANSLATE_NOOP("EngineText",
                      "the script is UTF-32 text: convert it to UTF-8 first (Format Conversion, or "
                      "nosk-cli convert)"),
    QT_TRANSLATE_NOOP("EngineText",
                      "no event lines in an [Events] section (the lines end in CR alone, which "
                      "is not a line end here; save the script with LF or CR LF line ends)"),
    QT_TRANSLATE_NOOP("EngineText", "no event lines in an [Events] section"),
    QT_TRANSLATE_NOOP("EngineText", "not enough memory to work on this script; it was not changed"),
    QT_TRANSLATE_NOOP("EngineText", "not enough memory to restore it; it was not changed"),
    QT_TRANSLATE_NOOP("EngineText", "Not enough memory to read file."),
    QT_TRANSLATE_NOOP("EngineText", "the same file as %1, which this run works on already"),
    QT_TRANSLATE_NOOP("EngineText", "not in the preview, so not written"),
    QT_TRANSLATE_NOOP("EngineText",
                      "changed on disk since the preview, so it was not written; preview it again"),
    QT_TRANSLATE_NOOP("EngineText",
                      "its new content is not the one previewed, so it was not written; preview "
                      "it again"),
    QT_TRANSLATE_NOOP("EngineText",
                      "The run journal %1 could not be written: %2. The scripts and their backups "
                      "are in place, but Undo does not know this run."),
    QT_TRANSLATE_NOOP("EngineText",
                      "Can't read the run journal %1: it is not a journal Nosk wrote"),
    QT_TRANSLATE_NOOP("EngineText", "Can't read the run journal %1: %2"),
    QT_TRANSLATE_NOOP("EngineText",
                      "The rewritten scripts in %1 could not be flushed to disk: %2. They and "
                      "their backups are in place, but a crash now could lose the newest changes."),
    QT_TRANSLATE_NOOP("EngineText",
                      "%1 was deleted while Nosk worked on it, so it was not written again"),
    QT_TRANSLATE_NOOP("EngineText",
                      "%1 changed on disk while Nosk worked on it, so it was not changed; run "
                      "again to work on its new content"),
    QT_TRANSLATE_NOOP("EngineText",
                      "%1 was replaced by another program while Nosk worked on it; its new "
                      "version is now named %2"),
    QT_TRANSLATE_NOOP("EngineText", "%1 can't be looked at: %2"),
    QT_TRANSLATE_NOOP("EngineText", "%1 was not changed: %2"),
    QT_TRANSLATE_NOOP("EngineText", "Can't create a file in %1 for the new content: %2"),
    QT_TRANSLATE_NOOP("EngineText", "Can't write the new content of %1: %2"),
    QT_TRANSLATE_NOOP("EngineText", "backup could not be made, so %1 was not changed: %2"),
    QT_TRANSLATE_NOOP("EngineText",
                      "it has other hard links, which keep its previous content; its backup is "
                      "a copy"),
    QT_TRANSLATE_NOOP("EngineText",
                      "its previous version also stays as %1, which could not be removed: %2"),
    QT_TRANSLATE_NOOP("EngineText",
                      "another program wrote to %1 while Nosk replaced it; the new content does "
                      "not hold that write, which is kept in %2"),
    QT_TRANSLATE_NOOP("EngineText",
                      "another program wrote to %1 while Nosk replaced it, and that write could "
                      "not be kept in %2: %3"),
    QT_TRANSLATE_NOOP("EngineText", "Can't replace %1: %2"),
    QT_TRANSLATE_NOOP("EngineText",
                      "changed since that run: it is no longer the file %1 wrote, so it was left "
                      "alone"),
    QT_TRANSLATE_NOOP("EngineText", "its backup %1 can't be read: %2"),
    QT_TRANSLATE_NOOP("EngineText",
                      "its backup %1 belongs to %2, not to the script's owner, so it was not "
                      "restored"),
    QT_TRANSLATE_NOOP("EngineText", "its backup %1 changed since %2, so it was not restored"),
    QT_TRANSLATE_NOOP("EngineText", "not changed by %1, the last run recorded in its folder"),
    QT_TRANSLATE_NOOP("EngineText", "no run is recorded in this folder"),
    QT_TRANSLATE_NOOP("EngineText", "the run of %1 (%2)"),
    QT_TRANSLATE_NOOP("EngineText", "Can't create the folder %1: %2"),
    QT_TRANSLATE_NOOP("EngineText",
                      "%1 is a symbolic link, and backups go only into a real folder"),
    QT_TRANSLATE_NOOP("EngineText", "%1 is not a folder (%2)"),
    QT_TRANSLATE_NOOP("EngineText", "Can't open the folder %1: %2"),
    QT_TRANSLATE_NOOP("EngineText", "Can't set the permissions of %1: %2"),
    QT_TRANSLATE_NOOP("EngineText", "Can't look at %1: %2"),
    QT_TRANSLATE_NOOP("EngineText",
                      "%1 belongs to %2, who does not own this folder, so backups do not go there"),
    QT_TRANSLATE_NOOP("EngineText", "can't read the script to copy it: %1"),
    QT_TRANSLATE_NOOP("EngineText", "can't read its extended attributes: %1"),
    QT_TRANSLATE_NOOP("EngineText", "can't read its extended attribute %1: %2"),
    QT_TRANSLATE_NOOP("EngineText", "can't give the new file its extended attribute %1: %2"),
    QT_TRANSLATE_NOOP("EngineText", "can't remove the ACL the new file took from its folder: %1"),
    QT_TRANSLATE_NOOP("EngineText", "can't give the new file the owner %1 and group %2 it has: %3"),
    QT_TRANSLATE_NOOP("EngineText", "can't set the permissions of the new file: %1"),
    QT_TRANSLATE_NOOP("EngineText", "it is read-only (no one may write it), so it was not changed"),
    QT_TRANSLATE_NOOP("EngineText", "you may not write it (%1), so it was not changed"),
    QT_TRANSLATE_NOOP("EngineText", "Can't lock the folder %1 against other Nosk runs: %2"),
    QT_TRANSLATE_NOOP("EngineText",
                      "another Nosk run kept working on %1 longer than Nosk waits, so this script "
                      "was not changed; run again when that run has ended"),
    QT_TRANSLATE_NOOP("EngineText", "Can't read from %1. %2."),
    QT_TRANSLATE_NOOP("EngineText", "%1 is larger than 40,000,000 bytes"),
    QT_TRANSLATE_NOOP("EngineText", "it is a folder, not a file"),
    QT_TRANSLATE_NOOP("EngineText", "it is not a regular file"),
    QT_TRANSLATE_NOOP("EngineText", "no file at this path"),
    QT_TRANSLATE_NOOP("EngineText", "it is a symbolic link to nothing"),
    QT_TRANSLATE_NOOP("EngineText", "it is a symbolic link to a folder, not to a file"),
    QT_TRANSLATE_NOOP("EngineText", "can't look at this path: %1"),
    QT_TRANSLATE_NOOP("EngineText", "can't read the symbolic link: %1"),
    QT_TRANSLATE_NOOP("EngineText",
                      "it is a symbolic link of %1 to %2 of %3, and Nosk follows a link only to a "
                      "file of the link's owner"),
    QT_TRANSLATE_NOOP("EngineText", "it was replaced by a symbolic link while Nosk worked on it"),
    QT_TRANSLATE_NOOP("EngineText", "user %1"),
    // A format conversion's.
    QT_TRANSLATE_NOOP("EngineText", "read as %1 (guessed from its bytes)"),
    QT_TRANSLATE_NOOP("EngineText",
                      "its encoding could not be detected; choose the code page it is in"),
    QT_TRANSLATE_NOOP("EngineText", "the encoding %1 is not known to this system"),
    QT_TRANSLATE_NOOP("EngineText",
                      "line %1: the bytes %2 are not UTF-8 text, though the script begins with "
                      "the UTF-8 mark; it was not converted"),
    QT_TRANSLATE_NOOP("EngineText", "line %1: the bytes %2 are not %3 text; it was not converted"),
    QT_TRANSLATE_NOOP("EngineText",
                      "line %1: the script ends inside a %2 character (bytes %3); it was not "
                      "converted"),
    QT_TRANSLATE_NOOP("EngineText",
                      "line %1: the %2 bytes %3 would not come back the same from UTF-8 (this "
                      "system's converter reads them as a character it writes otherwise); it was "
                      "not converted"),
    QT_TRANSLATE_NOOP("EngineText",
                      "the %1 bytes %2 would not come back the same from UTF-8 (this system's "
                      "converter reads them as a character it writes otherwise); it was not "
                      "converted"),
    QT_TRANSLATE_NOOP("EngineText", "%1 with mark"),
    QT_TRANSLATE_NOOP("EngineText", "Unknown code page %1."),
    QT_TRANSLATE_NOOP("EngineText", "Central European"),
    QT_TRANSLATE_NOOP("EngineText", "Cyrillic"),
    QT_TRANSLATE_NOOP("EngineText", "Western European"),
    QT_TRANSLATE_NOOP("EngineText", "Greek"),
    QT_TRANSLATE_NOOP("EngineText", "Turkish"),
    QT_TRANSLATE_NOOP("EngineText", "Hebrew"),
    QT_TRANSLATE_NOOP("EngineText", "Arabic"),
    QT_TRANSLATE_NOOP("EngineText", "Baltic"),
    QT_TRANSLATE_NOOP("EngineText", "Vietnamese"),
    QT_TRANSLATE_NOOP("EngineText", "Thai"),
    QT_TRANSLATE_NOOP("EngineText", "Russian"),
    QT_TRANSLATE_NOOP("EngineText", "Ukrainian"),
    QT_TRANSLATE_NOOP("EngineText", "Japanese"),
    QT_TRANSLATE_NOOP("EngineText", "Chinese (Simplified)"),
    QT_TRANSLATE_NOOP("EngineText", "Chinese (Traditional)"),
    QT_TRANSLATE_NOOP("EngineText", "Korean"),
    // What a run did, as the journal and the undo name it.
    QT_TRANSLATE_NOOP("EngineText", "Replace: %1 replacement of the block (%2)"),
    QT_TRANSLATE_NOOP("EngineText", "Shift Times %1: %2, %3"),
    QT_TRANSLATE_NOOP("EngineText", "Undo of run %1 (%2)"),
    QT_TRANSLATE_NOOP("EngineText",
                      "Format Conversion: to %1, %2, from %3 where a script is neither UTF-8 nor "
                      "marked"),
    QT_TRANSLATE_NOOP("EngineText", "line ends kept"),
    QT_TRANSLATE_NOOP("EngineText", "line ends CR LF"),
    QT_TRANSLATE_NOOP("EngineText", "line ends LF"),
    QT_TRANSLATE_NOOP("EngineText", "the detected code page"),
    QT_TRANSLATE_NOOP("EngineText", "text only"),
    QT_TRANSLATE_NOOP("EngineText", "text and format"),
    QT_TRANSLATE_NOOP("EngineText", "timing shift"),
    QT_TRANSLATE_NOOP("EngineText", "full match (with offset)"),
    QT_TRANSLATE_NOOP("EngineText", "full match"),
    QT_TRANSLATE_NOOP("EngineText", "none"),
    QT_TRANSLATE_NOOP("EngineText", "every script"),
    QT_TRANSLATE_NOOP("EngineText", "every row of scripts holding the block"),
    QT_TRANSLATE_NOOP("EngineText", "the rows before the block and the block"),
    QT_TRANSLATE_NOOP("EngineText", "the rows before the block"),
    QT_TRANSLATE_NOOP("EngineText", "the block and the rows after it"),
    QT_TRANSLATE_NOOP("EngineText", "the rows after the block"),
    QT_TRANSLATE_NOOP("EngineText", "start and end times"),
    QT_TRANSLATE_NOOP("EngineText", "start times"),
    QT_TRANSLATE_NOOP("EngineText", "end times"),
    // The system's words for what went wrong, where the system gave them in English.
    QT_TRANSLATE_NOOP("EngineText", "No such file or directory"),
    QT_TRANSLATE_NOOP("EngineText", "Permission denied"),
    QT_TRANSLATE_NOOP("EngineText", "Operation not permitted"),
    QT_TRANSLATE_NOOP("EngineText", "No space left on device"),
    QT_TRANSLATE_NOOP("EngineText", "Disk quota exceeded"),
    QT_TRANSLATE_NOOP("EngineText", "Read-only file system"),
    QT_TRANSLATE_NOOP("EngineText", "File exists"),
    QT_TRANSLATE_NOOP("EngineText", "Input/output error"),
    QT_TRANSLATE_NOOP("EngineText", "Is a directory"),
    QT_TRANSLATE_NOOP("EngineText", "Not a directory"),
    QT_TRANSLATE_NOOP("EngineText", "File too large"),
    QT_TRANSLATE_NOOP("EngineText", "File name too long"),
    QT_TRANSLATE_NOOP("EngineText", "Too many levels of symbolic links"),
    QT_TRANSLATE_NOOP("EngineText", "Invalid argument"),
    QT_TRANSLATE_NOOP("EngineText", "Device or resource busy"),
    QT_TRANSLATE_NOOP("EngineText", "Invalid cross-device link"),
    QT_TRANSLATE_NOOP("EngineText", "Operation not supported"),
    // Two things to know about one script, and a path with the reason that goes with it: the
    // most general of all.
    QT_TRANSLATE_NOOP("EngineText", "%1; %2"),
    QT_TRANSLATE_NOOP("EngineText", "%1: %2"),
};

struct Sentence {
  const char* english;
  QRegularExpression pattern;  // the whole text, a group for each part put in
  std::vector<int> parts;      // the number of each group: 1 for %1 ...
};

const std::vector<Sentence>& Sentences() {
  static const std::vector<Sentence> sentences = [] {
    std::vector<Sentence> made;
    static const QRegularExpression placeholder(QStringLiteral("%(\\d)"));
    for (const char* english : kSentences) {
      const QString text = QString::fromUtf8(english);
      QString pattern = QStringLiteral("^");
      std::vector<int> parts;
      qsizetype at = 0;
      for (auto it = placeholder.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        pattern += QRegularExpression::escape(text.mid(at, match.capturedStart() - at));
        pattern += QStringLiteral("(.*?)");
        parts.push_back(match.captured(1).toInt());
        at = match.capturedEnd();
      }
      pattern += QRegularExpression::escape(text.mid(at)) + QStringLiteral("$");
      made.push_back({english,
                      QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption),
                      std::move(parts)});
    }
    return made;
  }();
  return sentences;
}

QString Translated(const QString& text, int depth) {
  if (depth > 8 || text.isEmpty()) return text;
  for (const Sentence& sentence : Sentences()) {
    const QRegularExpressionMatch match = sentence.pattern.match(text);
    if (!match.hasMatch()) continue;
    QString translated = QCoreApplication::translate("EngineText", sentence.english);
    // The parts in the order of their numbers, each translated when it is a sentence too.
    std::vector<QString> parts(10);
    for (std::size_t group = 0; group < sentence.parts.size(); ++group) {
      parts[static_cast<std::size_t>(sentence.parts[group])] =
          Translated(match.captured(static_cast<int>(group) + 1), depth + 1);
    }
    // All at once, so that a part holding "%2" is not taken for a place of the next.
    switch (sentence.parts.size()) {
      case 0:
        return translated;
      case 1:
        return translated.arg(parts[1]);
      case 2:
        return translated.arg(parts[1], parts[2]);
      default:
        return translated.arg(parts[1], parts[2], parts[3]);
    }
  }
  return text;
}

}  // namespace

QString TranslatedEngineText(std::string_view english) {
  return Translated(QString::fromUtf8(english.data(), static_cast<qsizetype>(english.size())), 0);
}

}  // namespace nosk::ui
