// Seeing a run before it writes, and taking it back after: the preview dialog, Apply, Undo Last
// Run, and the click that a run held back.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include "tests/ui/uitest.h"
#include "tests/ui/window.h"
#include "ui/historydialog.h"
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

// On "Script Replace": the line "Let's go." becomes "Come on.".
void TypeTheReplacement(Window& w) {
  w.Find<QPlainTextEdit>("P1Edit1")->setPlainText(kSearchGo);
  w.Find<QPlainTextEdit>("P1Edit2")->setPlainText(
      "Dialogue: 0,0:00:08.00,0:00:10.00,Default,Aki,0,0,0,,Come on.");
}

// Three scripts listed for a replacement: a.ass would change, b.ass lacks the block (its line
// differs) and c.ass is gone.
void ListThreeKinds(Window& w) {
  const QString missing = w.Script("b.ass");
  WriteFile(missing, Bytes(missing).replace("Let's go.", "Let us go."));
  const QString gone = w.Script("c.ass");
  for (const QString& path : {w.Script("a.ass"), missing, gone}) w.form.AddScriptFile(path);
  QFile::remove(gone);
  TypeTheReplacement(w);
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
    ListThreeKinds(w);
    const QString changing = w.folder.filePath("a.ass");
    const QByteArray before = Bytes(changing);
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
      changes.append(nosk::testsupport::PreviewText(dialog));
      preview.SelectRow(1);
      nearMiss.append(nosk::testsupport::PreviewText(dialog));
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

  // The list shows every script, only those that would change, or only those that failed; the
  // selection follows to a script that is shown.
  void showsOnlyTheScriptsOfAKind() {
    Window w;
    ListThreeKinds(w);
    QStringList shown;
    w.desktop.onDialog = [&](QDialog& dialog) {
      auto* table = In<QTableWidget>(dialog, "lstPreviewScripts");
      auto* show = In<QComboBox>(dialog, "cmbPreviewShow");
      for (int kind = 0; kind < show->count(); ++kind) {
        show->setCurrentIndex(kind);
        QStringList rows;
        for (int row = 0; row < table->rowCount(); ++row) {
          if (!table->isRowHidden(row)) rows.append(table->item(row, 0)->text());
        }
        const int current = table->currentRow();
        rows.append(current >= 0 ? "selected " + table->item(current, 0)->text() : "none");
        shown.append(rows.join(' '));
      }
      return int(QDialog::Rejected);
    };
    w.Click("btnP1Preview");
    QCOMPARE(shown, (QStringList{"a.ass b.ass c.ass selected a.ass", "a.ass selected a.ass",
                                 "c.ass selected c.ass"}));
  }

  // Each changed line's new version stands right under its old one; a UTF-8 mark that goes or
  // comes is a line of its own, and a line whose end changes shows both ends.
  void showsEachNewLineUnderItsOldOne_data() {
    QTest::addColumn<int>("page");  // 1 shift by 1.5 s, 3 convert
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QStringList>("lines");  // consecutive lines of the view, spaces collapsed
    const QByteArray events =
        "[Events]\r\nDialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Hi\r\n";
    QTest::newRow("shift") << 1 << "" << Bytes(kData + "/episode.ass")
                           << QStringList{
                                  "19 − Dialogue: 0,0:00:08.00,0:00:10.00,Default,Aki,"
                                  "0,0,0,,Let's go.",
                                  "19 + Dialogue: 0,0:00:09.50,0:00:11.50,Default,Aki,"
                                  "0,0,0,,Let's go.",
                                  "20 − Dialogue: 0,0:00:10.00,0:00:12.00,Default,Mei,"
                                  "0,0,0,,Wait for me!"};
    QTest::newRow("mark removed") << 3 << "rbnP3Target2"
                                  << "\xEF\xBB\xBF" + events
                                  << QStringList{"− the UTF-8 mark is removed", "1 [Events]"};
    QTest::newRow("mark added") << 3 << "rbnP3Target1" << events
                                << QStringList{"+ the UTF-8 mark is added", "1 [Events]"};
    QTest::newRow("line ends") << 3 << "rbnP3LineEnds3"
                               << "\xEF\xBB\xBF" + events
                               << QStringList{"1 − [Events]␍␊", "1 + [Events]␊"};
  }
  void showsEachNewLineUnderItsOldOne() {
    QFETCH(int, page);
    QFETCH(QString, choice);
    QFETCH(QByteArray, script);
    QFETCH(QStringList, lines);
    Window w;
    const QString path = w.folder.filePath("a.ass");
    WriteFile(path, script);
    w.form.AddScriptFile(path);
    w.ShowPage(page);
    if (page == 1) w.Find<QLineEdit>("edP2Shift")->setText("0:00:01.50");
    if (!choice.isEmpty()) w.Click(qPrintable(choice));
    QStringList shown;
    w.desktop.onDialog = [&](QDialog& dialog) {
      for (const QString& line :
           In<QPlainTextEdit>(dialog, "txtPreviewChanges")->toPlainText().split('\n')) {
        shown.append(line.simplified());
      }
      return int(QDialog::Rejected);
    };
    w.Click(page == 1 ? "btnP2Preview" : "btnP3Preview");
    const qsizetype at = shown.indexOf(lines.front());
    QVERIFY2(at >= 0 && shown.mid(at, lines.size()) == lines, qPrintable(shown.join('\n')));
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
    TypeTheReplacement(w);
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

  // History lists the runs newest first; a run whose scripts a later run changed cannot be
  // taken back, and once that later run is undone it can, from the list, as it was chosen.
  void takesBackARunFromHistory() {
    Window w;
    const QString a = w.Script("a.ass");
    const QString b = w.Script("b.ass");
    w.form.AddScriptFile(a);
    w.form.AddScriptFile(b);
    const QByteArray original = Bytes(a);
    TypeTheReplacement(w);
    w.Click("btnP1Execute");
    w.ShowPage(1);
    w.Find<QLineEdit>("edP2Shift")->setText("0:00:01.50");
    w.Click("btnP2Execute");
    const QByteArray shifted = Bytes(a);
    QVERIFY(shifted != original);

    // Each row: operation | scripts | state; then what selecting the replacement says.
    QStringList rows;
    QString note;
    bool enabled = true;
    const auto look = [&](QDialog& dialog, bool take) {
      auto* list = In<QTableWidget>(dialog, "lstHistory");
      rows.clear();
      for (int row = 0; row < list->rowCount(); ++row) {
        rows.append(list->item(row, 1)->text() + " | " + list->item(row, 2)->text() + " | " +
                    list->item(row, 5)->text());
      }
      auto& history = static_cast<nosk::ui::HistoryDialog&>(dialog);
      history.SelectRow(list->rowCount() - 1);  // the oldest: the replacement
      note = In<QLabel>(dialog, "lblHistoryNote")->text();
      auto* takeBack = In<QPushButton>(dialog, "btnHistoryTakeBack");
      enabled = takeBack->isEnabled();
      if (take) takeBack->click();
      return dialog.result();
    };
    w.desktop.onDialog = [&](QDialog& dialog) { return look(dialog, false); };
    w.Find<QAction>("actHistory")->trigger();
    QCOMPARE(rows.size(), 2);
    QVERIFY2(rows[0].startsWith("Shift") && rows[0].endsWith("| 2 | "), qPrintable(rows[0]));
    QVERIFY2(rows[1].startsWith("Replace") && rows[1].endsWith("| 2 | "), qPrintable(rows[1]));
    QVERIFY2(note.startsWith("Take Back would restore 0 of its scripts. 2 cannot be taken back; "
                             "the first, a.ass: "),
             qPrintable(note));
    QVERIFY(!enabled);
    // What taking back would do was only worked out: nothing written, no result changed.
    QCOMPARE(Bytes(a), shifted);
    QCOMPARE(w.Cell(0, 2), QStringLiteral("1"));

    w.Find<QAction>("actUndoLastRun")->trigger();  // the shift
    w.desktop.onDialog = [&](QDialog& dialog) { return look(dialog, true); };
    w.Find<QAction>("actHistory")->trigger();
    QCOMPARE(rows.size(), 3);
    QVERIFY2(rows[1].startsWith("Shift") && rows[1].endsWith("| taken back"), qPrintable(rows[1]));
    QCOMPARE(note, QStringLiteral("Take Back would restore 2 of its scripts."));
    QVERIFY(enabled);
    QCOMPARE(Bytes(a), original);
    QCOMPARE(Bytes(b), original);
    QVERIFY(w.Status().startsWith(QStringLiteral("Undo: 2 changed")));
    QCOMPARE(w.Cell(0, 2), QStringLiteral("1"));
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
