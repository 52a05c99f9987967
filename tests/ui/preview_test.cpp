// Seeing a run before it writes, and taking it back after: the preview dialog, Apply, Undo Last
// Run, and the click that a run held back.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>

#include "tests/ui/uitest.h"
#include "tests/ui/window.h"
#include "ui/previewdialog.h"

using nosk::testsupport::Bytes;
using nosk::testsupport::kData;
using nosk::testsupport::kSearchGo;
using nosk::testsupport::Window;
using nosk::testsupport::WriteFile;
using nosk::ui::PreviewDialog;

namespace {

template <class Widget>
Widget* In(QDialog& dialog, const char* name) {
  auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
  if (widget == nullptr) qFatal("no widget %s", name);
  return widget;
}

}  // namespace

class PreviewTest : public QObject {
  Q_OBJECT

 private slots:
  void enablesPreviewAsTheRunButtons() {
    Window w;
    QVERIFY(!w.Enabled("btnP1Preview"));
    w.form.AddScriptFile(w.Script("a.ass"));
    QVERIFY(w.Enabled("btnP1Preview"));
    w.Click("rbnP1ReplaceMode1");
    QVERIFY(!w.Enabled("btnP1Preview"));
    w.ShowPage(1);
    QVERIFY(!w.Enabled("btnP2Preview"));
    w.Find<QLineEdit>("edP2Shift")->setText("0:00:01.50");
    QVERIFY(w.Enabled("btnP2Preview"));
  }

  // Every checked script with what the run would do, the totals, the selected script's changes
  // and, for a script without the block, where it came closest. Close writes nothing.
  void showsWhatTheRunWouldDo() {
    Window w;
    const QString changing = w.Script("a.ass");
    const QString missing = w.Script("b.ass");
    WriteFile(missing, Bytes(missing).replace("Let's go.", "Let us go."));
    const QString gone = w.Script("c.ass");
    for (const QString& path : {changing, missing, gone}) w.form.AddScriptFile(path);
    QFile::remove(gone);
    const QByteArray before = Bytes(changing);
    w.Find<QPlainTextEdit>("P1Edit1")->setPlainText(kSearchGo);
    w.Find<QPlainTextEdit>("P1Edit2")->setPlainText(
        "Dialogue: 0,0:00:08.00,0:00:10.00,Default,Aki,0,0,0,,Come on.");
    QStringList list, results, changes, nearMiss;
    QString totals;
    bool applyEnabled = false;
    w.desktop.onDialog = [&](QDialog& dialog) {
      auto* table = In<QTableWidget>(dialog, "lstPreviewScripts");
      for (int row = 0; row < table->rowCount(); ++row) {
        list.append(table->item(row, 0)->text());
        results.append(table->item(row, 1)->text() + " | " + table->item(row, 2)->text());
      }
      totals = In<QLabel>(dialog, "lblPreviewTotals")->text();
      applyEnabled = In<QPushButton>(dialog, "btnPreviewApply")->isEnabled();
      auto& preview = static_cast<PreviewDialog&>(dialog);
      changes.append(In<QTextBrowser>(dialog, "txtPreviewChanges")->toPlainText());
      preview.SelectRow(1);
      nearMiss.append(In<QTextBrowser>(dialog, "txtPreviewChanges")->toPlainText());
      return int(QDialog::Rejected);
    };
    w.Click("btnP1Preview");
    QCOMPARE(w.desktop.dialogs, 1);
    QCOMPARE(list, (QStringList{"a.ass", "b.ass", "c.ass"}));
    QCOMPARE(results[0], QStringLiteral("1 | lines changed: 1"));
    QCOMPARE(results[1], QStringLiteral("0 | unchanged"));
    QCOMPARE(results[2], QStringLiteral("Error | Error: no file at this path"));
    QCOMPARE(totals, QStringLiteral("Scripts that would change: 1, unchanged: 1, failed: 1."));
    QVERIFY(applyEnabled);
    // The changed line old and new, with its line number.
    QVERIFY2(changes[0].contains("0:00:08.00,0:00:10.00,Default,Aki,0,0,0,,Let's go.") &&
                 changes[0].contains("0:00:08.00,0:00:10.00,Default,Aki,0,0,0,,Come on.") &&
                 changes[0].contains("21"),
             qPrintable(changes[0]));
    QVERIFY2(nearMiss[0].contains("The block was not found") && nearMiss[0].contains("Let us go."),
             qPrintable(nearMiss[0]));
    QCOMPARE(Bytes(changing), before);
    QVERIFY(!QFile::exists(w.folder.filePath("Nosk_backup")));
  }

  // Apply writes what was shown; a script changed on disk since is refused, with its reason; one
  // the preview listed as Error stays Error, with the preview's reason, however it is now.
  void appliesExactlyWhatWasShown() {
    Window w;
    const QString a = w.Script("a.ass");
    const QString b = w.Script("b.ass");
    const QString c = w.folder.filePath("c.ass");
    WriteFile(c, "[Events]\r\n");
    w.form.AddScriptFile(a);
    w.form.AddScriptFile(b);
    w.form.AddScriptFile(c);
    const QByteArray original = Bytes(a);
    w.ShowPage(1);
    w.Find<QLineEdit>("edP2Shift")->setText("0:00:01.50");
    w.desktop.onDialog = [&](QDialog&) {
      // Another program writes to b.ass while the preview is open.
      WriteFile(b, Bytes(b) + "Comment: 0,0:00:00.00,0:00:00.00,D,,0,0,0,,edited\r\n");
      // c.ass, an Error in the preview (no event lines), becomes a script meanwhile.
      WriteFile(c, Bytes(a));
      return int(QDialog::Accepted);
    };
    w.Click("btnP2Preview");
    QCOMPARE(Bytes(a), Bytes(kData + "/shift-all.expected.ass"));
    QCOMPARE(w.Cell(0, 2), QStringLiteral("1"));
    QCOMPARE(w.Cell(1, 2), QStringLiteral("Error"));
    QCOMPARE(w.Grid()->index(1, 2).data(Qt::ToolTipRole).toString(),
             QStringLiteral("changed on disk since the preview, so it was not written; preview "
                            "it again"));
    QVERIFY(Bytes(b).endsWith("edited\r\n"));
    QCOMPARE(w.Cell(2, 2), QStringLiteral("Error"));
    QCOMPARE(w.Grid()->index(2, 2).data(Qt::ToolTipRole).toString(),
             QStringLiteral("no event lines in an [Events] section"));
    QCOMPARE(Bytes(c), original);  // not written
    QVERIFY(
        w.Status().startsWith(QStringLiteral("Shift Times: 1 changed, 0 unchanged, 2 failed.")));
  }

  // Undo Last Run, from the menu or Ctrl+Z where no editor has the focus, takes the run back;
  // in an editor, Ctrl+Z is the editor's own.
  void undoesTheLastRun() {
    Window w;
    const QString a = w.Script("a.ass");
    w.form.AddScriptFile(a);
    const QByteArray original = Bytes(a);
    w.Find<QPlainTextEdit>("P1Edit1")->setPlainText(kSearchGo);
    w.Find<QPlainTextEdit>("P1Edit2")->setPlainText(
        "Dialogue: 0,0:00:08.00,0:00:10.00,Default,Aki,0,0,0,,Come on.");
    w.Click("btnP1Execute");
    const QByteArray replaced = Bytes(a);
    QVERIFY(replaced != original);

    auto* editor = w.Find<QPlainTextEdit>("P1Edit2");
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Bytes(a), replaced);

    w.Find<QTableView>("sgdFilelist")->setFocus();
    QTest::keyClick(w.Find<QTableView>("sgdFilelist"), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Bytes(a), original);
    QCOMPARE(w.Cell(0, 2), QStringLiteral("1"));
    QVERIFY(w.Status().startsWith(QStringLiteral("Undo: 1 changed")));
    w.Find<QAction>("actUndoLastRun")->trigger();  // nothing before the replace
    QCOMPARE(Bytes(a), original);
    QCOMPARE(w.Cell(0, 2), QStringLiteral("Error"));
    w.Find<QAction>("actRedo")->trigger();  // the replace again
    QCOMPARE(Bytes(a), replaced);
    QVERIFY(w.Status().startsWith(QStringLiteral("Redo: 1 changed")));
    w.Find<QAction>("actUndoLastRun")->trigger();  // and taken back again
    QCOMPARE(Bytes(a), original);
  }

  // A click that came while a run held the window (the second click of a double click) is not
  // a second run.
  void dropsAClickQueuedDuringARun() {
    Window w;
    const QString a = w.Script("a.ass");
    w.form.AddScriptFile(a);
    w.ShowPage(1);
    w.Find<QLineEdit>("edP2Shift")->setText("0:00:01.50");
    auto* button = w.Find<QPushButton>("btnP2Execute");
    const QPoint inside(7, button->height() / 2);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QApplication::postEvent(
          button, new QMouseEvent(type, QPointF(inside), button->mapToGlobal(QPointF(inside)),
                                  Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    }
    QTest::mouseClick(button, Qt::LeftButton, {}, inside);
    QApplication::processEvents();
    QCOMPARE(Bytes(a), Bytes(kData + "/shift-all.expected.ass"));
  }
};

NOSK_UI_TEST(PreviewTest)
#include "preview_test.moc"
