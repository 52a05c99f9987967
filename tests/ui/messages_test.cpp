// The engine's messages in the window's two languages, by their ids.
#include <QRegularExpression>
#include <QTest>
#include <set>
#include <system_error>

#include "script/message.h"
#include "tests/ui/uitest.h"
#include "ui/messagetext.h"
#include "ui/translations.h"

using nosk::script::English;
using nosk::script::EnglishText;
using nosk::script::Message;
using nosk::script::MessageArgument;
using nosk::script::MessageId;
using nosk::ui::Translated;
using nosk::ui::Translations;

namespace {

// The numbers of the holes of a sentence: 2 for "%1 was not changed: %2".
int HolesOf(std::string_view sentence) {
  std::set<char> holes;
  for (std::size_t i = 0; i + 1 < sentence.size(); ++i) {
    if (sentence[i] == '%' && sentence[i + 1] >= '1' && sentence[i + 1] <= '9') {
      holes.insert(sentence[i + 1]);
    }
  }
  return static_cast<int>(holes.size());
}

// A part that no translation holds, for each hole.
QString PartFor(int hole) { return QStringLiteral("<PART%1>").arg(hole); }

Message WithParts(MessageId id) {
  std::vector<MessageArgument> parts;
  for (int hole = 1; hole <= HolesOf(EnglishText(id)); ++hole) {
    parts.emplace_back(PartFor(hole).toStdString());
  }
  return Message(id, std::move(parts));
}

bool HasCyrillic(const QString& text) {
  static const QRegularExpression cyrillic(QStringLiteral("\\p{Cyrillic}"));
  return text.contains(cyrillic);
}

bool HasWords(const QString& text) {
  static const QRegularExpression letter(QStringLiteral("\\p{L}"));
  return text.contains(letter);
}

QString WithoutParts(QString text) {
  static const QRegularExpression part(QStringLiteral("<PART\\d>|%\\d"));
  return text.remove(part);
}

}  // namespace

class MessagesTest : public QObject {
  Q_OBJECT

 private slots:
  // Every sentence of the catalogue: the English of the sources in an English window, and a
  // Russian one in a Russian window, each with every part in its hole, once.
  void saysEveryMessageInBothLanguages() {
    for (const MessageId id : nosk::script::AllMessageIds()) {
      if (id == MessageId::SystemError || id == MessageId::Verbatim) continue;
      const Message message = WithParts(id);
      const QString english = QString::fromStdString(English(message));
      const QString where = QString::fromLatin1(nosk::script::MessageName(id).data());
      {
        const Translations translations(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(Translated(message), english);
      }
      const Translations russian(QLocale(QLocale::Russian, QLocale::Russia));
      QVERIFY(russian.Translated());
      const QString translated = Translated(message);
      for (int hole = 1; hole <= HolesOf(EnglishText(id)); ++hole) {
        QVERIFY2(english.count(PartFor(hole)) == 1, qPrintable(where + ": " + english));
        QVERIFY2(translated.count(PartFor(hole)) == 1, qPrintable(where + ": " + translated));
      }
      if (HasWords(WithoutParts(english))) {
        QVERIFY2(translated != english, qPrintable(where + " is left in English: " + translated));
        QVERIFY2(HasCyrillic(WithoutParts(translated)), qPrintable(where + ": " + translated));
      } else {
        QCOMPARE(translated, english);
      }
    }
  }

  // The system's words the catalogue lists are the C library's, and have Russian ones.
  void saysTheSystemsWordsInBothLanguages() {
    const Translations russian(QLocale(QLocale::Russian, QLocale::Russia));
    for (const auto& error : nosk::script::TranslatedSystemErrors()) {
      QCOMPARE(std::generic_category().message(error.number), std::string(error.english));
      const QString translated = Translated(Message::System(error.number));
      QVERIFY2(HasCyrillic(translated), qPrintable(translated));
    }
  }

  // A reason is a message: whatever its path holds ("Show Vol. 2/", a sentence of its own), it
  // is the sentence it was made as, and every part of it is Russian.
  void translatesAReasonWhateverItsPathHolds() {
    const Translations russian(QLocale(QLocale::Russian, QLocale::Russia));
    const std::filesystem::path path = "/s/Show Vol. 2/was not changed: x.ass";
    const Message reason =
        Message(MessageId::BackupNotMade, {path})
            .Because(Message(MessageId::CantCreateFolder,
                             {std::filesystem::path("/s/Show Vol. 2/Nosk_backup")})
                         .Because(Message::System(EACCES)));
    const QString translated = Translated(reason);
    QVERIFY2(translated.contains(QStringLiteral("/s/Show Vol. 2/was not changed: x.ass")),
             qPrintable(translated));
    QVERIFY2(!translated.contains(QStringLiteral("backup could not be made")),
             qPrintable(translated));
    QVERIFY2(!translated.contains(QStringLiteral("Permission denied")), qPrintable(translated));
    QVERIFY2(!translated.contains(QStringLiteral("Can't create")), qPrintable(translated));
    QString words = translated;
    words.remove(QString::fromStdString(path.string()));
    QVERIFY2(HasCyrillic(words), qPrintable(translated));
  }
};

NOSK_UI_TEST(MessagesTest)
#include "messages_test.moc"
