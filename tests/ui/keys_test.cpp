// Keys that do what hands expect: Tab between the boxes, the run buttons' mnemonics, F5, the file
// list's Delete and right-click menu, and a folder named on the window's command line.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "tests/ui/uitest.h"
#include "tests/ui/window.h"

using namespace nosk::testsupport;

class KeysTest : public QObject {
  Q_OBJECT

 private slots:
  // Tab leaves the Search and Replace boxes (event lines never hold a tab); Ctrl+Tab puts one in.
  void tabMovesTheFocusOutOfTheEditors() {
    Window w;
    for (const char* name : {"P1Edit1", "P1Edit2"}) {
      auto* editor = w.Find<QPlainTextEdit>(name);
      editor->setFocus();
      editor->setPlainText(QStringLiteral("x"));
      QTest::keyClick(editor, Qt::Key_Tab);
      QCOMPARE(editor->toPlainText(), QStringLiteral("x"));
      QVERIFY(!editor->hasFocus());
      editor->setFocus();
      editor->moveCursor(QTextCursor::End);
      QTest::keyClick(editor, Qt::Key_Tab, Qt::ControlModifier);
      QCOMPARE(editor->toPlainText(), QStringLiteral("x\t"));
    }
  }

  // Each run button answers Alt and its letter; a swapped letter fails.
  void theRunButtonsHaveMnemonics() {
    Window w;
    const struct {
      int page;
      const char* button;
      int key;
    } cases[] = {
        {0, "btnP1Search", Qt::Key_S},  {0, "btnP1Execute", Qt::Key_R},
        {0, "btnP1Preview", Qt::Key_P}, {1, "btnP2Search", Qt::Key_S},
        {1, "btnP2Execute", Qt::Key_T}, {1, "btnP2Preview", Qt::Key_P},
        {2, "btnP5Search", Qt::Key_S},  {2, "btnP5Execute", Qt::Key_R},
        {2, "btnP5Preview", Qt::Key_P}, {3, "btnP3Execute", Qt::Key_C},
        {3, "btnP3Preview", Qt::Key_P},
    };
    for (const auto& c : cases) {
      QCOMPARE(QKeySequence::mnemonic(w.Find<QPushButton>(c.button)->text()),
               QKeySequence(Qt::ALT | c.key));
    }
  }

  // F5 runs the shown page's Search.
  void f5RunsThePagesSearch() {
    Window w;
    w.form.AddScriptFile(w.Script("a.ass"));
    w.Find<QPlainTextEdit>("P1Edit1")->setPlainText(kSearchGo);
    QTest::keyClick(&w.form, Qt::Key_F5);
    QCOMPARE(w.Cell(0, 2), QStringLiteral("1"));
  }

  // Delete removes the selected entries where the list has the focus, and only there; the
  // right-click menu checks, unchecks and inverts them all, and opens the current one's folder.
  void theFileListHasItsKeysAndMenu() {
    Window w;
    for (const char* name : {"a.ass", "b.ass", "c.ass"}) w.form.AddScriptFile(w.Script(name));
    auto* editor = w.Find<QPlainTextEdit>("P1Edit1");
    editor->setFocus();
    editor->setPlainText(QStringLiteral("xy"));
    editor->moveCursor(QTextCursor::Start);
    QTest::keyClick(editor, Qt::Key_Delete);
    QCOMPARE(editor->toPlainText(), QStringLiteral("y"));
    QCOMPARE(w.Names().size(), 3);

    auto* grid = w.Find<QTableView>("sgdFilelist");
    QStringList menu;
    for (QAction* action : grid->actions()) {
      if (!action->isSeparator()) menu.append(action->objectName());
    }
    QCOMPARE(menu, (QStringList{"actRemoveSelected", "actOpenContainingFolder", "actCheckAll",
                                "actUncheckAll", "actInvertChecks"}));
    QCOMPARE(grid->contextMenuPolicy(), Qt::ActionsContextMenu);
    const auto checks = [&] {
      QList<bool> all;
      for (int i = 0; i < w.form.FileGrid().Count(); ++i)
        all.append(w.form.FileGrid().GetChecked(i));
      return all;
    };
    const auto trigger = [&](const char* name) {
      grid->findChild<QAction*>(QString::fromLatin1(name))->trigger();
    };
    w.form.FileGrid().SetChecked(1, false);
    trigger("actInvertChecks");
    QCOMPARE(checks(), (QList<bool>{false, true, false}));
    trigger("actCheckAll");
    QCOMPARE(checks(), (QList<bool>{true, true, true}));
    trigger("actUncheckAll");
    QCOMPARE(checks(), (QList<bool>{false, false, false}));
    grid->setCurrentIndex(grid->model()->index(1, 1));
    trigger("actOpenContainingFolder");
    QCOMPARE(w.desktop.openedFolders, QStringList{QDir(w.folder.path()).absolutePath()});

    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, 1));
    QTest::keyClick(grid, Qt::Key_Delete);
    QCOMPARE(w.Names(), (QStringList{"b.ass", "c.ass"}));
  }

  // The status bar counts the listed and checked scripts; the title names the first one's folder.
  void showsTheListsSummary() {
    Window w;
    auto* statusBar = w.Find<PanelStatusBar>("MainStatusBar");
    QCOMPARE(statusBar->CountsText(), QString());
    for (const char* name : {"a.ass", "b.ass"}) w.form.AddScriptFile(w.Script(name));
    QCOMPARE(statusBar->CountsText(), QStringLiteral("2 of 2 checked"));
    QCOMPARE(w.form.windowTitle(),
             QStringLiteral("Nosk — ") + QDir(w.folder.path()).absolutePath());
    auto* grid = w.Find<QTableView>("sgdFilelist");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(0, 0)).center());
    QCOMPARE(statusBar->CountsText(), QStringLiteral("1 of 2 checked"));
  }

  // A folder on the command line adds its scripts, as the folder button does; its subfolders'
  // scripts are not added, and the status bar says so.
  void takesAFolderOnTheCommandLine() {
    Window w;
    w.Script("a.ass");
    w.Script("b.ssa");
    QDir(w.folder.path()).mkdir(QStringLiteral("Extras"));
    w.Script("Extras/c.ass");
    w.form.FormCreate({w.folder.path()});
    QCOMPARE(w.Names(), (QStringList{"a.ass", "b.ssa"}));
    QVERIFY2(w.Status().contains(QStringLiteral("hold scripts too")), qPrintable(w.Status()));
  }
};

NOSK_UI_TEST(KeysTest)
#include "keys_test.moc"
