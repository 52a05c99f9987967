// The page "Text Replace": each option tied to the bytes its run writes, a pattern that cannot
// run told in the status bar, and the preview of the lines it changes.
#include <QCheckBox>
#include <QLineEdit>

#include "tests/ui/uitest.h"
#include "tests/ui/window.h"

using nosk::testsupport::Bytes;
using nosk::testsupport::PreviewText;
using nosk::testsupport::Window;
using nosk::testsupport::WriteFile;

namespace {

const QByteArray kHead =
    "[Events]\r\nFormat: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, "
    "Text\r\n";
const QByteArray kLead = "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,";
const QByteArray kComment = "Comment: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,";

QByteArray Script(const QByteArray& dialogue, const QByteArray& comment) {
  return kHead + kLead + dialogue + "\r\n" + kComment + comment + "\r\n";
}

// The script in the list, on "Text Replace", with FIND and REPLACEMENT typed.
QString Typed(Window& w, const QByteArray& bytes, const QString& find, const QString& with) {
  const QString path = w.folder.filePath("a.ass");
  WriteFile(path, bytes);
  w.form.AddScriptFile(path);
  w.ShowPage(2);
  w.Find<QLineEdit>("edP5Find")->setText(find);
  w.Find<QLineEdit>("edP5With")->setText(with);
  return path;
}

}  // namespace

class TextReplaceTest : public QObject {
  Q_OBJECT

 private slots:
  void eachOptionWritesItsBytes() {
    const struct {
      const char* option;  // checked, or none
      QString find;
      QString with;
      QByteArray dialogue;
      QByteArray comment;
      QByteArray newDialogue;
      QByteArray newComment;
    } cases[] = {
        {nullptr, "Hoshi-chan", "Hoshi", "{\\i1}Hoshi-chan", "Hoshi-chan", "{\\i1}Hoshi",
         "Hoshi-chan"},
        {"chkP5Pattern", "(\\w+)-chan", "$1", "Mei-chan", "x", "Mei", "x"},
        {"chkP5IgnoreCase", "привет", "hi", "ПРИВЕТ", "x", "hi", "x"},
        {"chkP5WholeWords", "cat", "dog", "cat category", "x", "dog category", "x"},
        {"chkP5InsideTags", "pos", "move", "{\\pos(1,2)}pos", "x", "{\\move(1,2)}move", "x"},
        {"chkP5Comments", "note", "NOTE", "note", "note", "NOTE", "NOTE"},
    };
    for (const auto& c : cases) {
      Window w;
      const QString path = Typed(w, Script(c.dialogue, c.comment), c.find, c.with);
      if (c.option != nullptr) w.Click(c.option);
      w.Click("btnP5Execute");
      QVERIFY2(Bytes(path) == Script(c.newDialogue, c.newComment),
               c.option != nullptr ? c.option : "no option");
    }
  }

  void countsAndRefusesAPatternThatCannotRun() {
    Window w;
    const QString path = Typed(w, Script("a b a", "a"), "a", "");
    w.Click("btnP5Search");
    QCOMPARE(w.Cell(0, 2), QStringLiteral("2"));
    w.Click("chkP5Pattern");
    w.Find<QLineEdit>("edP5Find")->setText("(a");
    w.Click("btnP5Execute");
    QVERIFY2(w.Status().contains("The pattern is not valid at offset 2"), qPrintable(w.Status()));
    QCOMPARE(Bytes(path), Script("a b a", "a"));
    w.Find<QLineEdit>("edP5Find")->setText("");
    QVERIFY(!w.Enabled("btnP5Search"));
    QVERIFY(!w.Enabled("btnP5Execute"));
  }

  void previewsTheChangedLines() {
    Window w;
    Typed(w, Script("Hoshi-chan ran", "x"), "Hoshi-chan", "Hoshi");
    QString shown;
    w.desktop.onDialog = [&](QDialog& dialog) {
      shown = PreviewText(dialog);
      return int(QDialog::Rejected);
    };
    w.Click("btnP5Preview");
    QVERIFY2(shown.contains("Default,,0,0,0,,Hoshi-chan ran") &&
                 shown.contains("Default,,0,0,0,,Hoshi ran"),
             qPrintable(shown));
  }
};

NOSK_UI_TEST(TextReplaceTest)
#include "textreplace_test.moc"
