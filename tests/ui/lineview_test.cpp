// The choices of which lines a run sees and in what order: Search Section, File Preprocessing,
// the full match with offset and the exclusions, each tied to the count or the bytes it makes.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include "tests/ui/uitest.h"
#include "tests/ui/window.h"

using nosk::testsupport::Bytes;
using nosk::testsupport::Settings;
using nosk::testsupport::Window;
using nosk::testsupport::WriteFile;

namespace {

const QByteArray kHead =
    "[Script Info]\r\nScriptType: v4.00+\r\nPlayResX: 1280\r\n\r\n"
    "[V4+ Styles]\r\n"
    "Style: Default,Arial,48,&H00FFFFFF,&H000000FF,&H00000000,&H80000000,0,0,0,0,100,100,0,0,1,"
    "2,1,2,40,40,30,1\r\n\r\n"
    "[Events]\r\n"
    "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n";
const QByteArray kLate = "Dialogue: 0,0:00:05.00,0:00:06.00,Default,Mei,0,0,0,,late\r\n";
const QByteArray kSign = "Dialogue: 0,0:00:01.00,0:00:02.00,Sign,,0,0,0,,sign\r\n";
const QByteArray kEarly = "Dialogue: 0,0:00:03.00,0:00:04.00,Default,Aki,0,0,0,,early\r\n";
const QByteArray kNote = "Comment: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,note\r\n";

QString Listed(Window& w, const QByteArray& bytes) {
  const QString path = w.folder.filePath("a.ass");
  WriteFile(path, bytes);
  w.form.AddScriptFile(path);
  return path;
}

// A shift of every line by one second, from "Timing Shift".
void ShiftEverything(Window& w) {
  w.ShowPage(1);
  w.Click("rbnP2AffectMode1");
  w.Find<QLineEdit>("edP2Shift")->setText("0:00:01.00");
  w.Click("btnP2Execute");
}

QByteArray Moved(QByteArray line) {
  line.replace("0:00:05.00,0:00:06.00", "0:00:06.00,0:00:07.00");
  line.replace("0:00:01.00,0:00:02.00", "0:00:02.00,0:00:03.00");
  line.replace("0:00:03.00,0:00:04.00", "0:00:04.00,0:00:05.00");
  return line;
}

}  // namespace

class LineViewTest : public QObject {
  Q_OBJECT

 private slots:
  void findsTheBlockInTheSectionChosen() {
    const struct {
      const char* section;
      const char* searchMode;
      QString block;
      QString count;
    } cases[] = {
        {"RadioButton3", "rbnSearchMode2", "Dialogue: 9,0:09:00.00,0:09:01.00,Sign,,0,0,0,,early",
         "1"},
        {"RadioButton15", "rbnSearchMode2", "Style: Default,Verdana", "1"},
        {"RadioButton15", "rbnSearchMode5", "Style: Default,Verdana", "0"},
        {"RadioButton16", "rbnSearchMode3", "PlayResX: 1920", "1"},
        {"RadioButton16", "rbnSearchMode5", "PlayResX: 1920", "0"},
        {"RadioButton17", "rbnSearchMode5", "PlayResX: 1280\n\n[V4+ Styles]", "1"},
    };
    for (const auto& c : cases) {
      Window w;
      Listed(w, kHead + kEarly);
      w.ShowPage(4);
      w.Click(c.section);
      w.Click(c.searchMode);
      w.ShowPage(0);
      w.Find<QPlainTextEdit>("P1Edit1")->setPlainText(c.block);
      w.Click("btnP1Search");
      QVERIFY2(w.Cell(0, 2) == c.count, qPrintable(QString(c.section) + " " + c.block));
    }
  }

  // Style lines take the Replace lines as typed: the other replace modes are disabled there.
  void replacesAStyleAndAddsAHeaderLine() {
    Window w;
    const QString script = Listed(w, kHead + kEarly);
    w.ShowPage(4);
    w.Click("RadioButton15");
    w.ShowPage(0);
    for (const char* mode : {"rbnP1ReplaceMode2", "rbnP1ReplaceMode3", "rbnP1ReplaceMode4"}) {
      QVERIFY2(!w.Enabled(mode), mode);
    }
    QVERIFY(w.Find<QRadioButton>("rbnP1ReplaceMode5")->isChecked());
    w.Click("rbnP1SearchMode2");
    const QByteArray style = "Style: Default,Verdana,50";
    w.Find<QPlainTextEdit>("P1Edit1")->setPlainText("Style: Default,x");
    w.Find<QPlainTextEdit>("P1Edit2")->setPlainText(QString::fromLatin1(style));
    w.Click("btnP1Execute");
    QByteArray expected = kHead + kEarly;
    expected.replace(expected.indexOf("Style: Default"),
                     expected.indexOf("\r\n\r\n[Events]") - expected.indexOf("Style: Default"),
                     style);
    QCOMPARE(Bytes(script), expected);
    // A header key the script lacks, added at the end of [Script Info].
    w.ShowPage(4);
    w.Click("RadioButton16");
    QVERIFY(w.Enabled("chkP4AddMissing"));
    w.Click("chkP4AddMissing");
    w.ShowPage(0);
    w.Find<QPlainTextEdit>("P1Edit1")->setPlainText("YCbCr Matrix: TV.709");
    w.Find<QPlainTextEdit>("P1Edit2")->setPlainText("YCbCr Matrix: TV.709");
    w.Click("btnP1Execute");
    QCOMPARE(w.Cell(0, 2), QStringLiteral("1"));
    expected.replace("PlayResX: 1280\r\n", "PlayResX: 1280\r\nYCbCr Matrix: TV.709\r\n");
    QCOMPARE(Bytes(script), expected);
    w.ShowPage(4);
    w.Click("RadioButton3");
    QVERIFY(!w.Enabled("chkP4AddMissing"));
    QVERIFY(w.Enabled("rbnP1ReplaceMode2"));
  }

  void sortsBeforeTheShift() {
    const struct {
      const char* radio;
      QByteArray events;
    } cases[] = {
        {"RadioButton18", Moved(kLate) + Moved(kSign) + Moved(kEarly)},
        {"RadioButton19", Moved(kSign) + Moved(kEarly) + Moved(kLate)},
        {"RadioButton20", Moved(kEarly) + Moved(kLate) + Moved(kSign)},
        {"RadioButton21", Moved(kSign) + Moved(kEarly) + Moved(kLate)},
    };
    for (const auto& c : cases) {
      Window w;
      const QString script = Listed(w, kHead + kLate + kSign + kEarly);
      w.ShowPage(4);
      w.Click(c.radio);
      ShiftEverything(w);
      QVERIFY2(Bytes(script) == kHead + c.events, c.radio);
    }
  }

  void findsAnOpeningAtAnotherTimeByOffset() {
    Window w;
    Listed(w, kHead + kSign + kEarly);
    w.Click("rbnP1SearchMode4");
    QVERIFY(w.Find<QRadioButton>("rbnSearchMode4")->isChecked());
    // The two lines an hour later, two seconds apart as in the script.
    w.Find<QPlainTextEdit>("P1Edit1")->setPlainText(
        "Dialogue: 0,1:00:01.00,1:00:02.00,Sign,,0,0,0,,sign\n"
        "Dialogue: 0,1:00:03.00,1:00:04.00,Default,Aki,0,0,0,,early");
    w.Click("btnP1Search");
    QCOMPARE(w.Cell(0, 2), QStringLiteral("1"));
    w.Find<QPlainTextEdit>("P1Edit1")->setPlainText(
        "Dialogue: 0,1:00:01.00,1:00:02.00,Sign,,0,0,0,,sign\n"
        "Dialogue: 0,1:00:03.50,1:00:04.00,Default,Aki,0,0,0,,early");
    w.Click("btnP1Search");
    QCOMPARE(w.Cell(0, 2), QStringLiteral("0"));
  }

  // The dialog offers the listed scripts' styles and actors; each way of seeing them is tied
  // to the lines a shift moves, and the choice is kept for the next start.
  void excludesTheLinesChosenInTheDialog() {
    const struct {
      const char* seen;
      QStringList styles;
      QStringList actors;
      bool skipComments;
      QByteArray events;
    } cases[] = {
        {"rbnExclusionsAllBut",
         {"Sign"},
         {},
         false,
         Moved(kLate) + kSign + Moved(kNote) + Moved(kEarly)},
        {"rbnExclusionsOnly", {"Sign"}, {}, false, kLate + Moved(kSign) + kNote + kEarly},
        {"rbnExclusionsOnly", {}, {"Aki"}, false, kLate + kSign + kNote + Moved(kEarly)},
        {"rbnExclusionsAllBut", {}, {}, true, Moved(kLate) + Moved(kSign) + kNote + Moved(kEarly)},
        {"rbnExclusionsAllBut",
         {},
         {"Aki", "Mei"},
         false,
         kLate + Moved(kSign) + Moved(kNote) + kEarly},
    };
    for (const auto& c : cases) {
      Window w;
      const QString script = Listed(w, kHead + kLate + kSign + kNote + kEarly);
      QStringList offered;
      w.desktop.onDialog = [&](QDialog& dialog) {
        for (const char* name : {"lstExclusionStyles", "lstExclusionActors"}) {
          auto* list = dialog.findChild<QListWidget*>(QString::fromLatin1(name));
          for (int row = 0; row < list->count(); ++row) {
            QListWidgetItem* item = list->item(row);
            offered.append(item->text());
            const QStringList& chosen =
                QByteArray(name) == "lstExclusionStyles" ? c.styles : c.actors;
            item->setCheckState(chosen.contains(item->text()) ? Qt::Checked : Qt::Unchecked);
          }
        }
        dialog.findChild<QRadioButton*>(QString::fromLatin1(c.seen))->setChecked(true);
        dialog.findChild<QCheckBox*>(QStringLiteral("chkExclusionsSkipComments"))
            ->setChecked(c.skipComments);
        return int(QDialog::Accepted);
      };
      w.ShowPage(1);
      w.Click("btnP2Exclude");
      QCOMPARE(offered, (QStringList{"Default", "Sign", "Aki", "Mei"}));
      QVERIFY2(w.Status().contains("exclusions in force"), qPrintable(w.Status()));
      ShiftEverything(w);
      QVERIFY2(Bytes(script) == kHead + c.events, c.seen);
      QVERIFY2(w.Status().contains("exclusions in force"), qPrintable(w.Status()));
      w.form.close();  // saves the settings
    }
    // Kept for the next start, where a script whose lines it all leaves out says so.
    Window kept(Settings::Kept);
    Listed(kept, kHead + kLate + kEarly);
    ShiftEverything(kept);
    QCOMPARE(kept.Cell(0, 2), QStringLiteral("0"));
    const QString reason = kept.Grid()->index(0, 2).data(Qt::ToolTipRole).toString();
    QVERIFY2(reason.contains("every event line is left out by the exclusions (all but the "
                             "actors Aki, Mei)"),
             qPrintable(reason));
  }
};

NOSK_UI_TEST(LineViewTest)
#include "lineview_test.moc"
