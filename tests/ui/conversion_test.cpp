// The page "Format Conversion": each choice tied to the bytes it writes, the preview showing
// the text decoded, and the run taken back.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QProcess>
#include <QTableWidget>

#include "tests/ui/uitest.h"
#include "tests/ui/window.h"
#include "ui/previewdialog.h"

using nosk::testsupport::Bytes;
using nosk::testsupport::Window;
using nosk::testsupport::WriteFile;

namespace {

// A script with Russian text, mixed line ends, in Windows-1251.
const QByteArray kText =
    QStringLiteral(
        "[Events]\r\nDialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Привет\n"
        "Dialogue: 0,0:00:03.00,0:00:04.00,Default,,0,0,0,,Пока\r\n")
        .toUtf8();
const QByteArray kMark("\xEF\xBB\xBF");

QByteArray InCp1251(const QByteArray& utf8) {
  QProcess iconv;
  iconv.start(QStringLiteral("iconv"), {"-f", "UTF-8", "-t", "CP1251"});
  iconv.write(utf8);
  iconv.closeWriteChannel();
  iconv.waitForFinished();
  return iconv.readAllStandardOutput();
}

// The script in Windows-1251 in the window's list, on the page "Format Conversion".
QString ListLegacyScript(Window& w) {
  const QString script = w.folder.filePath("a.ass");
  WriteFile(script, InCp1251(kText));
  w.form.AddScriptFile(script);
  w.ShowPage(3);
  return script;
}

}  // namespace

class ConversionTest : public QObject {
  Q_OBJECT

 private slots:
  void writesWhatEachChoiceSays_data() {
    QTest::addColumn<int>("source");  // the combo box's row: 0 "Detect"
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("lineEnds");
    QTest::addColumn<QByteArray>("expected");
    QByteArray crLf = kText;
    crLf.replace("Привет\n", "Привет\r\n");
    QByteArray lf = kText;
    lf.replace("\r\n", "\n");
    QTest::newRow("detect, mark, keep") << 0 << "rbnP3Target1"
                                        << "rbnP3LineEnds1" << kMark + kText;
    QTest::newRow("Windows-1251, no mark, keep") << 2 << "rbnP3Target2"
                                                 << "rbnP3LineEnds1" << kText;
    QTest::newRow("Windows-1251, mark, CR LF") << 2 << "rbnP3Target1"
                                               << "rbnP3LineEnds2" << kMark + crLf;
    QTest::newRow("Windows-1251, no mark, LF") << 2 << "rbnP3Target2"
                                               << "rbnP3LineEnds3" << lf;
  }

  void writesWhatEachChoiceSays() {
    QFETCH(int, source);
    QFETCH(QString, target);
    QFETCH(QString, lineEnds);
    QFETCH(QByteArray, expected);
    Window w;
    const QString script = ListLegacyScript(w);
    auto* sources = w.Find<QComboBox>("cmbP3Source");
    QCOMPARE(sources->itemData(2).toString(), QStringLiteral("CP1251"));
    sources->setCurrentIndex(source);
    w.Click(target.toLatin1().constData());
    w.Click(lineEnds.toLatin1().constData());
    w.Click("btnP3Execute");
    QCOMPARE(Bytes(script), expected);
    QCOMPARE(w.Cell(0, 2), QStringLiteral("1"));
    QCOMPARE(!w.Grid()->index(0, 2).data(Qt::ToolTipRole).toString().isEmpty(), source == 0);
    QVERIFY2(w.Status().startsWith(QStringLiteral("Convert: 1 changed, 0 unchanged, 0 failed.")),
             qPrintable(w.Status()));
    // Once more: already in that form.
    w.Click("btnP3Execute");
    QCOMPARE(w.Cell(0, 2), QStringLiteral("0"));
    QCOMPARE(Bytes(script), expected);
  }

  // The preview shows the text as it will read, the guess, and Apply writes it; Undo takes it
  // back.
  void previewsAndUndoes() {
    Window w;
    const QString script = ListLegacyScript(w);
    const QByteArray legacy = InCp1251(kText);
    QVERIFY(w.Enabled("btnP3Preview"));
    w.Find<QComboBox>("cmbP3Source")->setCurrentIndex(2);
    QString changes;
    QString what;
    w.desktop.onDialog = [&](QDialog& dialog) {
      auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("lstPreviewScripts"));
      what = table->item(0, 2)->text();
      changes = nosk::testsupport::PreviewText(dialog);
      return int(QDialog::Accepted);
    };
    w.Click("btnP3Preview");
    QVERIFY2(changes.contains(QStringLiteral("Привет")) && changes.contains(QStringLiteral("Пока")),
             qPrintable(changes));
    QCOMPARE(what, QStringLiteral("lines changed: 3"));
    QCOMPARE(Bytes(script), kMark + kText);
    w.Find<QAction>("actUndoLastRun")->trigger();
    QCOMPARE(Bytes(script), legacy);
  }

  // After Apply from a preview, each script has the result a plain run would have given it: one
  // already converted 0, one converted 1, one unreadable Error with its reason.
  void appliesAPreviewWithHonestResults() {
    Window w;
    const QString legacy = ListLegacyScript(w);
    const QString done = w.folder.filePath("b.ass");
    WriteFile(done, kMark + kText);
    w.form.AddScriptFile(done);
    const QString gone = w.folder.filePath("c.ass");
    WriteFile(gone, kText);
    w.form.AddScriptFile(gone);
    QFile::remove(gone);
    w.ShowPage(3);
    w.Find<QComboBox>("cmbP3Source")->setCurrentIndex(2);
    w.desktop.onDialog = [](QDialog&) { return int(QDialog::Accepted); };
    w.Click("btnP3Preview");
    QCOMPARE(Bytes(legacy), kMark + kText);
    QCOMPARE(w.Cell(0, 2), QStringLiteral("1"));
    QCOMPARE(w.Cell(1, 2), QStringLiteral("0"));
    QCOMPARE(w.Cell(2, 2), QStringLiteral("Error"));
    QVERIFY2(w.Status().startsWith(QStringLiteral("Convert: 1 changed, 1 unchanged, 1 failed.")),
             qPrintable(w.Status()));
  }

  void enablesConvertForListedFiles() {
    Window w;
    w.ShowPage(3);
    QVERIFY(!w.Enabled("btnP3Execute"));
    QVERIFY(!w.Enabled("btnP3Preview"));
    w.form.AddScriptFile(w.Script("a.ass"));
    QVERIFY(w.Enabled("btnP3Execute"));
    QVERIFY(w.Enabled("btnP3Preview"));
  }
};

NOSK_UI_TEST(ConversionTest)
#include "conversion_test.moc"
