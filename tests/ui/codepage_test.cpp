// "Scripts without a mark" on "Advanced Settings": each choice tied to the bytes a replacement
// in a Windows-1251 script writes.
#include <QComboBox>
#include <QPlainTextEdit>
#include <QProcess>

#include "tests/ui/uitest.h"
#include "tests/ui/window.h"

using nosk::testsupport::Bytes;
using nosk::testsupport::kData;
using nosk::testsupport::Window;
using nosk::testsupport::WriteFile;

namespace {

QByteArray InCp1251(const QByteArray& utf8) {
  QProcess iconv;
  iconv.start(QStringLiteral("iconv"), {"-f", "UTF-8", "-t", "CP1251"});
  iconv.write(utf8);
  iconv.closeWriteChannel();
  iconv.waitForFinished();
  return iconv.readAllStandardOutput();
}

// The line of a script that holds `text`, without its line end.
QString LineWith(const QString& script, const QString& text) {
  const qsizetype at = script.indexOf(text);
  const qsizetype start = script.lastIndexOf('\n', at) + 1;
  return script.mid(start, script.indexOf('\n', at) - start).remove('\r');
}

}  // namespace

class CodePageTest : public QObject {
  Q_OBJECT

 private slots:
  void editsAScriptWithoutAMarkInTheCodePageChosen_data() {
    QTest::addColumn<QString>("choice");  // the data of the row chosen; empty: "Detect"
    QTest::addColumn<QString>("result");
    QTest::newRow("Detect") << QString() << "1";
    QTest::newRow("Windows-1251") << "CP1251"
                                  << "1";
    QTest::newRow("Windows-1252, which has no Cyrillic") << "CP1252"
                                                         << "Error";
  }

  void editsAScriptWithoutAMarkInTheCodePageChosen() {
    QFETCH(QString, choice);
    QFETCH(QString, result);
    Window w;
    QFile source(kData + "/languages/ru.ass");
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QString utf8 = QString::fromUtf8(source.readAll());
    const QString found = LineWith(utf8, QStringLiteral("Смотри, над станцией"));
    const QString replacement =
        QString(found).replace(QStringLiteral("Смотри, над станцией"), QStringLiteral("Гляди"));
    const QString script = w.folder.filePath("a.ass");
    const QByteArray legacy = InCp1251(utf8.toUtf8());
    WriteFile(script, legacy);
    w.form.AddScriptFile(script);
    auto* codePage = w.Find<QComboBox>("cmbP4CodePage");
    codePage->setCurrentIndex(choice.isEmpty() ? 0 : codePage->findData(choice));
    w.Find<QPlainTextEdit>("P1Edit1")->setPlainText(found);
    w.Find<QPlainTextEdit>("P1Edit2")->setPlainText(replacement);
    w.Click("btnP1Execute");
    QCOMPARE(w.Cell(0, 2), result);
    if (result == "Error") {
      QVERIFY2(w.Grid()->index(0, 2).data(Qt::ToolTipRole).toString().contains("Windows-1252"),
               qPrintable(w.Grid()->index(0, 2).data(Qt::ToolTipRole).toString()));
      QCOMPARE(Bytes(script), legacy);
    } else {
      QCOMPARE(Bytes(script), InCp1251(QString(utf8).replace(found, replacement).toUtf8()));
    }
  }
};

NOSK_UI_TEST(CodePageTest)
#include "codepage_test.moc"
