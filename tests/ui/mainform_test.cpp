// The window driven through its real widgets, on the offscreen platform.

#include <unistd.h>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "tests/ui/uitest.h"
#include "tests/ui/window.h"

using nosk::engine::Page;
using nosk::testsupport::kData;
using nosk::testsupport::kSearchGo;
using nosk::testsupport::Window;
using nosk::ui::PanelStatusBar;

class MainFormTest : public QObject {
  Q_OBJECT

 private slots:
  void startsWithEverythingThatNeedsFilesDisabled() {
    Window w;
    for (const char* button : {"btnP1Search", "btnP2Search", "btnP1Execute", "btnP2Execute"}) {
      QVERIFY2(!w.Enabled(button), button);
    }
    QVERIFY(!w.Enabled("rbnP2AffectModeEx1"));
    QVERIFY(!w.Enabled("P2Edit1"));
    QCOMPARE(w.form.Settings().WorkMode, Page::ScriptReplace);
    QCOMPARE(w.form.windowTitle(), QStringLiteral("Nosk"));
    QCOMPARE(w.Grid()->rowCount(), 1);
    QVERIFY(!w.Grid()->index(0, 0).data(Qt::CheckStateRole).isValid());
    QVERIFY(w.Find<QAction>("actAbout")->isEnabled());
    QVERIFY(!w.Enabled("btnP1Exclude"));
    QVERIFY(!w.Enabled("btnP2Exclude"));
    QCOMPARE(w.Find<QAction>("actAddFile")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    QCOMPARE(w.Find<QAction>("actAddFolder")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    QCOMPARE(w.Find<QAction>("actFileExit")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_X));
  }

  void enablesTheRunButtonsByFilesModesAndAmount() {
    Window w;
    QVERIFY(w.form.AddScriptFile(w.Script("a.ass")));
    w.form.FileGrid().SetChecked(0, false);
    QVERIFY(w.Enabled("btnP1Search"));
    QVERIFY(w.Enabled("btnP2Search"));
    QVERIFY(w.Enabled("btnP1Execute"));
    QVERIFY(!w.Enabled("btnP2Execute"));
    w.Click("rbnP1ReplaceMode1");
    QVERIFY(!w.Enabled("btnP1Execute"));
    w.Click("rbnP1ReplaceMode3");
    QVERIFY(w.Enabled("btnP1Execute"));
    w.ShowPage(1);
    w.Find<QLineEdit>("edP2Shift")->setText("0:00:01.00");
    QVERIFY(w.Enabled("btnP2Execute"));
    w.Find<QLineEdit>("edP2Shift")->setText("0:00:00.00");
    QVERIFY(!w.Enabled("btnP2Execute"));
  }

  void enablesTheBlockInputsByTheAffectMode() {
    Window w;
    w.ShowPage(1);
    w.Find<QPlainTextEdit>("P2Edit1")->setPlainText(kSearchGo);
    w.Click("rbnP2AffectMode3");
    QVERIFY(w.Enabled("rbnP2AffectModeEx1"));
    w.Click("rbnP2AffectModeEx1");
    w.Click("rbnP2AffectMode2");
    QVERIFY(!w.Enabled("rbnP2AffectModeEx1"));
    QVERIFY(w.Find<QCheckBox>("rbnP2AffectModeEx1")->isChecked());
    QVERIFY(w.Enabled("P2Edit1"));
    w.Click("rbnP2AffectMode4");
    QVERIFY(w.Enabled("rbnP2AffectModeEx1"));
    w.Click("rbnP2AffectMode1");
    QVERIFY(!w.Enabled("P2Edit1"));
    QCOMPARE(w.Find<QPlainTextEdit>("P2Edit1")->toPlainText(), kSearchGo);
  }

  void mirrorsTheSearchModeBothWays() {
    Window w;
    w.Click("rbnP1SearchMode3");
    QVERIFY(w.Find<QRadioButton>("rbnSearchMode3")->isChecked());
    w.ShowPage(4);
    w.Click("rbnSearchMode2");
    QVERIFY(w.Find<QRadioButton>("rbnP1SearchMode2")->isChecked());
    QVERIFY(!w.Find<QRadioButton>("rbnP1SearchMode3")->isChecked());
  }

  void picksModesByTheButtonPressedOnTheirNames() {
    Window w;
    w.form.AddScriptFile(w.Script("a.ass"));
    const auto press = [&](const char* label, Qt::MouseButton button) {
      QTest::mousePress(w.Find<QLabel>(label), button);
    };
    press("lblP1Mode1", Qt::LeftButton);  // no search mode "none"
    press("lblP1Mode2", Qt::MiddleButton);
    QVERIFY(w.Find<QRadioButton>("rbnP1SearchMode5")->isChecked());
    press("lblP1Mode4", Qt::LeftButton);  // the row's search mode: full match with offset
    QVERIFY(w.Find<QRadioButton>("rbnP1SearchMode4")->isChecked());
    QVERIFY(w.Find<QRadioButton>("rbnSearchMode4")->isChecked());
    QVERIFY(w.Find<QRadioButton>("rbnP1ReplaceMode5")->isChecked());
    press("lblP1Mode1", Qt::RightButton);
    QVERIFY(w.Find<QRadioButton>("rbnP1ReplaceMode1")->isChecked());
    QVERIFY(!w.Enabled("btnP1Execute"));
    press("lblP1Mode3", Qt::LeftButton);
    QVERIFY(w.Find<QRadioButton>("rbnP1SearchMode3")->isChecked());
    QVERIFY(w.Find<QRadioButton>("rbnSearchMode3")->isChecked());
    press("lblP1Mode4", Qt::RightButton);
    QVERIFY(w.Find<QRadioButton>("rbnP1ReplaceMode4")->isChecked());
    QVERIFY(w.Enabled("btnP1Execute"));
  }

  void movesTheFileListWithThePageAndBlanksTheResults() {
    Window w;
    w.form.AddScriptFile(w.Script("a.ass"));
    w.Find<QPlainTextEdit>("P1Edit1")->setPlainText(kSearchGo);
    w.Click("btnP1Search");
    QCOMPARE(w.Cell(0, 2), QStringLiteral("1"));
    auto* pages = w.Find<QTabWidget>("MainPageControl");
    auto* fileList = w.Find<QGroupBox>("grpFilelist");
    const struct {
      int page;
      Page workMode;
      const char* fileListPage;
    } steps[] = {{1, Page::TimingShift, "pg2"},
                 {2, Page::TextReplace, "pg5"},
                 {3, Page::FormatConversion, "pg3"},
                 {4, Page::AdvancedSettings, "pg3"},
                 {0, Page::ScriptReplace, "pg1"}};
    for (const auto& step : steps) {
      pages->setCurrentIndex(step.page);
      QCOMPARE(w.form.Settings().WorkMode, step.workMode);
      QCOMPARE(fileList->parentWidget()->objectName(), QString::fromLatin1(step.fileListPage));
      QCOMPARE(w.Cell(0, 2), QString());
    }
    QVERIFY(fileList->isVisible());
  }

  void returnsFromAdvancedSettingsToThePageItWasOpenedFrom() {
    Window w;
    auto* pages = w.Find<QTabWidget>("MainPageControl");
    w.Click("btnP1Advanced");  // "More..." on "Script Replace"
    QCOMPARE(pages->currentIndex(), 4);
    w.Click("btnP4OK");
    QCOMPARE(pages->currentIndex(), 0);
    pages->setCurrentIndex(1);
    w.Click("btnP2SearchSettings");
    QCOMPARE(pages->currentIndex(), 4);
    QCOMPARE(w.form.Settings().WorkMode, Page::AdvancedSettings);
    QVERIFY(!w.Find<QGroupBox>("grpFilelist")->isVisible());
    w.Click("btnP4OK");
    QCOMPARE(pages->currentIndex(), 1);
    QCOMPARE(w.form.Settings().WorkMode, Page::TimingShift);
    QCOMPARE(w.Find<QGroupBox>("grpFilelist")->parentWidget()->objectName(), QStringLiteral("pg2"));

    pages->setCurrentIndex(0);
    pages->setCurrentIndex(4);
    w.Find<QRadioButton>("rbnSearchMode3")->setFocus();
    QTest::keyClick(w.Find<QRadioButton>("rbnSearchMode3"), Qt::Key_Escape);
    QCOMPARE(pages->currentIndex(), 0);
    QCOMPARE(w.form.Settings().WorkMode, Page::ScriptReplace);
  }

  void addsScriptsFromTheCommandLineSortedAndOnce() {
    Window w;
    w.Script("b.ass");
    w.Script("A.ssa");
    w.Script("c.ASS");
    w.Script(".hidden.ass");
    w.Touch("notes.txt");
    QDir(w.folder.path()).mkdir("folder.ass");
    QDir::setCurrent(w.folder.path());
    w.form.FormCreate({"b.ass", w.folder.filePath("*.ass"), w.folder.filePath("*.ssa"),
                       w.folder.filePath("folder.ass"), "/b", "/B", w.folder.filePath("c.ASS"),
                       w.folder.filePath("notes.txt"), w.folder.filePath("missing.ass")});
    QCOMPARE(w.Names(), (QStringList{"A.ssa", "b.ass", "c.ASS"}));
    QCOMPARE(w.desktop.beeps, 2);
    QCOMPARE(w.form.FileGrid().GetPath(1), QDir::cleanPath(w.folder.filePath("b.ass")));
    QCOMPARE(w.Cell(0, 2), QString());
    QCOMPARE(w.Grid()->index(0, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
  }

  // Release names carry their group in brackets: a name that is there is taken as it is, and
  // only "*" and "?" are wildcards when it is not.
  void addsReleaseNamesWithBracketsLiterally() {
    Window w;
    w.Script("Hoshi S01E01 [Kuro].ass");
    w.Script("Hoshi S01E02 [Kuro].ass");
    w.Script("Hoshi S01E01 K.ass");  // what "[Kuro]" would match as a class
    QDir::setCurrent(w.folder.path());
    w.form.FormCreate({"Hoshi S01E01 [Kuro].ass"});
    QCOMPARE(w.Names(), (QStringList{"Hoshi S01E01 [Kuro].ass"}));

    w.Click("btnRemoveAll");
    w.form.FormCreate({w.folder.filePath("*[Kuro].ass"), w.folder.filePath("Hoshi S01E0? K.ass"),
                       w.folder.filePath("[Kuro].ass")});
    QCOMPARE(w.Names(), (QStringList{"Hoshi S01E01 K.ass", "Hoshi S01E01 [Kuro].ass",
                                     "Hoshi S01E02 [Kuro].ass"}));

    w.Click("btnRemoveAll");
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(w.folder.filePath("Hoshi S01E02 [Kuro].ass"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w.form, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w.form, &drop);
    QCOMPARE(w.Names(), (QStringList{"Hoshi S01E02 [Kuro].ass"}));
  }

  void addsDroppedFilesAndFolderContents() {
    Window w;
    const QString dropped = w.Script("z.ass");
    QDir(w.folder.path()).mkdir("sub");
    QDir(w.folder.path()).mkdir("sub/x.ass");
    w.Script("sub/y.ass");
    w.Script("sub/.y.ssa");
    w.Script("sub/Y.ASS");
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(dropped), QUrl::fromLocalFile(w.Touch("t.txt")),
                  QUrl::fromLocalFile(w.folder.filePath("sub")), QUrl::fromLocalFile(dropped)});
    // As a desktop delivers a drop: the drag enters the window, then drops.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w.form, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w.form, &drop);
    QCOMPARE(w.Names(), (QStringList{"z.ass"}));

    w.desktop.folderToChoose = w.folder.filePath("sub");
    w.Find<QAction>("actAddFolder")->trigger();
    QCOMPARE(w.Names(), (QStringList{".y.ssa", "Y.ASS", "x.ass", "y.ass", "z.ass"}));

    w.desktop.filesToChoose = {w.Script("a.ass"), w.Touch("u.txt"), dropped};
    w.Click("btnAddFile");
    QCOMPARE(w.Names(), (QStringList{"a.ass", ".y.ssa", "Y.ASS", "x.ass", "y.ass", "z.ass"}));
  }

  // Every name Linux allows is a name, and the extension counts in any letter case: each way of
  // adding takes them.
  void addsEveryNameTheFileSystemAllows() {
    const QStringList names = {"Who Are You?.ass", "a*b.ASS", "say \"hi\".Ssa", "<x>.ass",
                               "a|b.sSA"};
    const QStringList sorted = {"<x>.ass", "Who Are You?.ass", "a*b.ASS", "a|b.sSA",
                                "say \"hi\".Ssa"};
    for (const char* way : {"command line", "dialog", "folder", "drop"}) {
      Window w;
      QStringList paths;
      for (const QString& name : names) paths.append(w.Script(name));
      const QString how = QString::fromLatin1(way);
      if (how == "command line") {
        w.form.FormCreate(paths);
      } else if (how == "dialog") {
        w.desktop.filesToChoose = paths;
        w.Click("btnAddFile");
      } else if (how == "folder") {
        w.desktop.folderToChoose = w.folder.path();
        w.Find<QAction>("actAddFolder")->trigger();
      } else {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString& path : paths) urls.append(QUrl::fromLocalFile(path));
        mime.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&w.form, &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w.form, &drop);
      }
      QVERIFY2(w.Names() == sorted, qPrintable(how + ": " + w.Names().join(" | ")));
    }
  }

  // Many scripts at once (a folder, a drop, the command line) give what adding them one by one
  // gives: the same entries in the same order, the same selected row, anchor and results.
  void addsManyScriptsAsOneByOne() {
    Window one;
    Window many;
    QStringList paths;
    for (int i = 29; i >= 0; --i) {
      paths.append(one.Script(QStringLiteral("e%1.ass").arg(i, 2, 10, QChar('0'))));
    }
    paths.append(paths.front());       // a duplicate
    paths.append(one.Touch("x.txt"));  // not a script
    for (Window* w : {&one, &many}) {
      w->form.AddScriptFile(paths[3]);
      w->Find<QTableView>("sgdFilelist")->selectRow(0);
    }
    for (const QString& path : paths) one.form.AddScriptFile(path);
    QCOMPARE(many.form.AddScriptFiles(paths), 29);
    QCOMPARE(many.Names(), one.Names());
    QCOMPARE(many.form.FileGrid().Count(), 30);
    for (Window* w : {&one, &many}) {
      const QModelIndexList rows =
          w->Find<QTableView>("sgdFilelist")->selectionModel()->selectedRows();
      QCOMPARE(rows.size(), 1);
      QCOMPARE(rows.front().row(), 0);
      QCOMPARE(w->form.AnchorRow(), 1);
      for (int i = 0; i < w->form.FileGrid().Count(); ++i) QCOMPARE(w->Cell(i, 2), QString());
    }
  }

  void removesTheSelectedRows() {
    Window w;
    for (const char* name : {"a.ass", "b.ass", "c.ass", "d.ass", "e.ass"})
      w.form.AddScriptFile(w.Script(name));
    auto* grid = w.Find<QTableView>("sgdFilelist");
    grid->selectionModel()->select(QItemSelection(w.Grid()->index(1, 0), w.Grid()->index(3, 2)),
                                   QItemSelectionModel::ClearAndSelect);
    w.Click("btnRemoveFile");
    QCOMPARE(w.Names(), (QStringList{"a.ass", "e.ass"}));
    QCOMPARE(grid->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(grid->selectionModel()->selectedRows().front().row(), 1);
    QCOMPARE(w.form.AnchorRow(), 2);

    grid->selectionModel()->select(QItemSelection(w.Grid()->index(0, 0), w.Grid()->index(1, 2)),
                                   QItemSelectionModel::ClearAndSelect);
    w.Click("btnRemoveFile");
    QCOMPARE(w.Names(), QStringList());
    QCOMPARE(w.Grid()->rowCount(), 1);
    w.Click("btnRemoveFile");  // nothing left: nothing happens
    w.form.AddScriptFile(w.Script("a.ass"));
    w.Click("btnRemoveAll");
    QCOMPARE(w.Names(), QStringList());
    QVERIFY(!w.Enabled("btnP1Search"));
  }

  void showsTheCountsOfARunAndWhyAScriptFailed() {
    Window w;
    w.form.AddScriptFile(w.Script("a.ass"));
    w.form.AddScriptFile(w.Script("b.ass"));
    const QString gone = w.Script("c.ass");
    w.form.AddScriptFile(gone);
    QFile::remove(gone);
    w.form.FileGrid().SetChecked(1, false);
    w.Find<QPlainTextEdit>("P1Edit1")->setPlainText(kSearchGo + "\n");
    w.Click("btnP1Search");
    QCOMPARE(w.Cell(0, 2), QStringLiteral("1"));
    QCOMPARE(w.Cell(1, 2), QString());
    QCOMPARE(w.Cell(2, 2), QStringLiteral("Error"));
    QCOMPARE(w.Grid()->index(2, 2).data(Qt::ToolTipRole).toString(),
             QStringLiteral("no file at this path"));
    QVERIFY(!QDir(w.folder.filePath("Nosk_backup")).exists());

    w.Find<QPlainTextEdit>("P1Edit2")->setPlainText(
        "Dialogue: 0,0:00:08.00,0:00:10.00,Default,Aki,0,0,0,,Come on.");
    w.Click("btnP1Execute");
    QCOMPARE(w.Cell(0, 2), QStringLiteral("1"));
    QCOMPARE(w.Cell(2, 2), QStringLiteral("Error"));
    QVERIFY(QFile::exists(w.folder.filePath("Nosk_backup/a.ass.~1~")));
    QVERIFY(!QFile::exists(w.folder.filePath("Nosk_backup/b.ass.~1~")));
    auto* progress = w.Find<QProgressBar>("MainProgressBar");
    QVERIFY(!progress->isVisible());
    QCOMPARE(progress->value(), 0);
    // The run's report: what changed, what failed, where the previous versions are.
    QCOMPARE(w.Status(), QStringLiteral("Replace: 1 changed, 0 unchanged, 1 failed. "
                                        "Double-click a row for its reason. Previous versions: ") +
                             w.folder.filePath("Nosk_backup") +
                             QStringLiteral(". Undo Last Run takes the run back."));
    QCOMPARE(w.desktop.messages, QStringList());
    // The Error's reason, without hovering over its cell.
    QTest::mouseDClick(
        w.Find<QTableView>("sgdFilelist")->viewport(), Qt::LeftButton, {},
        w.Find<QTableView>("sgdFilelist")->visualRect(w.Grid()->index(2, 1)).center());
    QCOMPARE(w.desktop.messages, QStringList{QStringLiteral("Error: ") + gone +
                                             QStringLiteral("\n\nno file at this path")});
  }

  void shiftsTimesOnTheTimingShiftPage() {
    Window w;
    const QString script = w.Script("a.ass");
    w.form.AddScriptFile(script);
    w.Find<QTabWidget>("MainPageControl")->setCurrentIndex(1);
    w.Find<QPlainTextEdit>("P2Edit1")->setPlainText(kSearchGo);
    w.Find<QLineEdit>("edP2Shift")->setText("0:00:01.50");
    w.Click("btnP2Search");
    QCOMPARE(w.Cell(0, 2), QStringLiteral("1"));
    w.Click("btnP2Execute");
    QCOMPARE(w.Cell(0, 2), QStringLiteral("1"));
    QFile result(script), expected(kData + "/shift-all.expected.ass");
    QVERIFY(result.open(QIODevice::ReadOnly) && expected.open(QIODevice::ReadOnly));
    QCOMPARE(result.readAll(), expected.readAll());
  }

  // "All Files, All Rows" disables the Search box: what it holds is not read.
  void shiftsEveryScriptWhateverTheDisabledSearchBoxHolds() {
    Window w;
    const QString script = w.Script("a.ass");
    w.form.AddScriptFile(script);
    w.ShowPage(1);
    QVERIFY(!w.Enabled("P2Edit1"));
    w.Find<QLineEdit>("edP2Shift")->setText("0:00:01.50");
    w.Click("btnP2Execute");
    QVERIFY2(w.Status().startsWith(QStringLiteral("Shift Times: 1 changed, 0 unchanged")),
             qPrintable(w.Status()));
    QCOMPARE(w.Cell(0, 2), QStringLiteral("1"));
    QFile result(script), expected(kData + "/shift-all.expected.ass");
    QVERIFY(result.open(QIODevice::ReadOnly) && expected.open(QIODevice::ReadOnly));
    QCOMPARE(result.readAll(), expected.readAll());
  }

  // A run starts by emptying every Result cell, so a run stopped at a check shows none of the
  // numbers of the run before.
  void startsEveryRunWithEmptyResults() {
    Window w;
    w.form.AddScriptFile(w.Script("a.ass"));
    w.Find<QPlainTextEdit>("P1Edit1")->setPlainText(kSearchGo);
    w.Click("btnP1Search");
    QCOMPARE(w.Cell(0, 2), QStringLiteral("1"));
    w.Find<QPlainTextEdit>("P1Edit1")->setPlainText("not an event line");
    w.Click("btnP1Search");
    // The short text first, then which line is wrong and how; whole in the tooltip.
    const QString why = QStringLiteral(
        "Search data error. Line 1 is not an event line: it does not begin with "
        "\"Dialogue:\" or \"Comment:\".");
    QCOMPARE(w.Status(), why);
    QCOMPARE(w.Find<PanelStatusBar>("MainStatusBar")->toolTip(), why);
    QCOMPARE(w.Cell(0, 2), QString());
    QCOMPARE(w.form.FileGrid().Line(0).Values[0], nosk::engine::kNotProcessed);
  }

  // A script that cannot be read is told once: in the message box, and as the Error's hint.
  void tellsAFailedLoadOnce() {
    Window w;
    const QString link = w.folder.filePath("unreadable.ass");
    QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), link));  // opens, then fails to read
    w.form.AddScriptFile(link);
    w.Find<QPlainTextEdit>("P1Edit1")->setPlainText(kSearchGo);
    w.Click("btnP1Search");
    const QString reason =
        QStringLiteral("Can't read from ") + link + QStringLiteral(". Input/output error.");
    QCOMPARE(w.desktop.messages, QStringList{QStringLiteral("Error: ") + reason});
    QCOMPARE(w.Cell(0, 2), QStringLiteral("Error"));
    QCOMPARE(w.Grid()->index(0, 2).data(Qt::ToolTipRole).toString(), reason);
  }

  // A count can come with something to know: the hint of the Result cell tells it.
  void hintsWhatARewriteMustTellBesidesItsCount() {
    Window w;
    const QString script = w.Script("a.ass");
    QVERIFY(::link(QFile::encodeName(script).constData(),
                   QFile::encodeName(w.folder.filePath("library.ass")).constData()) == 0);
    w.form.AddScriptFile(script);
    w.ShowPage(1);
    w.Find<QLineEdit>("edP2Shift")->setText("0:00:01.50");
    w.Click("btnP2Execute");
    QCOMPARE(w.Cell(0, 2), QStringLiteral("1"));
    QVERIFY2(w.Grid()
                 ->index(0, 2)
                 .data(Qt::ToolTipRole)
                 .toString()
                 .contains(QStringLiteral("other hard links, which keep its previous content")),
             qPrintable(w.Grid()->index(0, 2).data(Qt::ToolTipRole).toString()));
    QCOMPARE(w.desktop.messages, QStringList());
  }

  void leavesTheReasonOfAStoppedRunUntilTheNextRedraw() {
    Window w;
    w.form.AddScriptFile(w.Script("a.ass"));
    w.Find<QPlainTextEdit>("P1Edit1")->setPlainText("not an event line");
    w.Click("btnP1Search");
    QVERIFY(w.Status().startsWith(QStringLiteral("Search data error. Line 1")));
    QVERIFY(!w.Find<QProgressBar>("MainProgressBar")->isVisible());
    w.Click("rbnP1ReplaceMode2");
    QCOMPARE(w.Status(), QString());

    w.Find<QPlainTextEdit>("P1Edit1")->setPlainText(kSearchGo);
    w.Find<QPlainTextEdit>("P1Edit2")->setPlainText(kSearchGo + "\n" + kSearchGo);
    w.Click("btnP1Execute");
    QCOMPARE(w.Status(), QStringLiteral("Replace data error."));
    QCOMPARE(w.desktop.messages,
             QStringList{"Replace Data Error: the Replace block has 2 event lines and the Search "
                         "block 1: in this mode each new line takes the times of the line it "
                         "replaces"});
    w.form.resize(w.form.width() + 40, w.form.height());
    QTRY_COMPARE(w.Status(), QString());
  }

  void endsRightAfterStartWithE() {
    QTemporaryDir folder;
    QFile::copy(kData + "/episode.ass", folder.filePath("a.ass"));
    QProcess nosk;
    nosk.start(QStringLiteral(NOSK_APP), {folder.filePath("a.ass"), "/E", "/b"});
    QVERIFY(nosk.waitForFinished(20000));
    QCOMPARE(nosk.exitStatus(), QProcess::NormalExit);
    QCOMPARE(nosk.exitCode(), 0);
  }

  // --help and --version answer without a window: no display is needed for them.
  void answersHelpAndVersionWithoutAWindow() {
    const struct {
      const char* argument;
      const char* starts;
    } cases[] = {{"--help", "Usage: nosk "}, {"-h", "Usage: nosk "}, {"--version", "nosk 0."}};
    for (const auto& c : cases) {
      QProcess nosk;
      QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
      environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform"));
      nosk.setProcessEnvironment(environment);
      nosk.start(QStringLiteral(NOSK_APP), {QString::fromLatin1(c.argument)});
      QVERIFY(nosk.waitForFinished(20000));
      QCOMPARE(nosk.exitCode(), 0);
      QVERIFY2(nosk.readAllStandardOutput().startsWith(c.starts), c.argument);
    }
  }

  void followsCapsLock() {
    Window w;
    auto* statusBar = w.Find<PanelStatusBar>("MainStatusBar");
    QVERIFY(!statusBar->CapsLockShown());
    w.desktop.capsLock = true;
    QTRY_VERIFY_WITH_TIMEOUT(statusBar->CapsLockShown(), 1000);
    w.desktop.capsLock = false;
    QTRY_VERIFY_WITH_TIMEOUT(!statusBar->CapsLockShown(), 1000);
  }

  // After every resize, however the window got there, the Search and Replace boxes are
  // (page control width - 14) / 2 wide each, and "Replace" starts 6 pixels right of "Search".
  void keepsTheEditorBoxesSharingThePageWidth() {
    Window w;
    auto* search = w.Find<QGroupBox>("grpP1Edit1");
    auto* replace = w.Find<QGroupBox>("grpP1Edit2");
    auto* pages = w.Find<QTabWidget>("MainPageControl");
    const QSize designed = w.form.size();
    const QSize steps[] = {{designed.width() + 200, designed.height()},
                           {designed.width() + 200, designed.height() + 50},
                           {designed.width() + 37, designed.height() + 50},
                           {designed.width() + 37, designed.height()},
                           designed};
    for (const QSize& size : steps) {
      w.form.resize(size);
      QTRY_COMPARE(pages->width(), size.width());
      QApplication::processEvents();
      const int width = (pages->width() - 14) / 2;
      QCOMPARE(search->width(), width);
      QCOMPARE(replace->width(), width);
      QCOMPARE(replace->x(), search->x() + width + 6);
      QCOMPARE(replace->height(), search->height());
    }
  }

  // A taller window gives its extra height to the file list: a season of 26 episodes shows
  // whole on either page, and the editor boxes below keep their height at the bottom.
  void givesTheFileListTheExtraHeight() {
    Window w;
    for (int episode = 1; episode <= 26; ++episode) {
      w.form.AddScriptFile(
          w.Script(QStringLiteral("%1.ass").arg(episode, 2, 10, QLatin1Char('0'))));
    }
    auto* list = w.Find<QGroupBox>("grpFilelist");
    auto* grid = w.Find<QTableView>("sgdFilelist");
    auto* pages = w.Find<QTabWidget>("MainPageControl");
    const QSize designed = w.form.size();
    const int listHeight = list->height();
    const int pageHeight = pages->currentWidget()->height();
    QMap<QString, QRect> boxes;
    for (const char* name : {"grpP1Edit1", "grpP1Edit2", "grpP2Edit1"}) {
      w.ShowPage(name[4] == '1' ? 0 : 1);
      boxes[name] = w.Find<QGroupBox>(name)->geometry();
    }
    w.form.resize(designed.width(), 800);
    for (int page : {0, 1}) {
      w.ShowPage(page);
      QTRY_VERIFY(pages->currentWidget()->height() > pageHeight);
      QApplication::processEvents();
      const int extra = pages->currentWidget()->height() - pageHeight;
      QCOMPARE(list->height(), listHeight + extra);
      const QRect last = grid->visualRect(grid->model()->index(25, 1));
      QVERIFY2(last.isValid() && last.bottom() <= grid->viewport()->height(),
               qPrintable(QStringLiteral("page %1: the last episode ends at %2 of %3")
                              .arg(page)
                              .arg(last.bottom())
                              .arg(grid->viewport()->height())));
      for (const char* name :
           page == 0 ? std::vector{"grpP1Edit1", "grpP1Edit2"} : std::vector{"grpP2Edit1"}) {
        const QRect box = w.Find<QGroupBox>(name)->geometry();
        QCOMPARE(box.size(), boxes[name].size());
        QCOMPARE(box.y(), boxes[name].y() + extra);
        QVERIFY(box.y() > list->geometry().bottom());
      }
    }
    w.form.resize(designed);
    QTRY_COMPARE(list->height(), listHeight);
    QCOMPARE(w.Find<QGroupBox>("grpP2Edit1")->geometry(), boxes["grpP2Edit1"]);
  }

  void sizesTheStatusPanelsAndTheNameColumnWithTheWindow() {
    Window w;
    auto* statusBar = w.Find<PanelStatusBar>("MainStatusBar");
    auto* grid = w.Find<QTableView>("sgdFilelist");
    const int panel = statusBar->PanelWidth(0);
    const int column = grid->columnWidth(1);
    w.form.resize(w.form.width() + 100, w.form.height());
    QTRY_COMPARE(statusBar->PanelWidth(0), panel + 100);
    QTRY_COMPARE(grid->columnWidth(1), column + 100);
    QCOMPARE(statusBar->PanelWidth(1), 150);
    QCOMPARE(grid->columnWidth(1), grid->viewport()->width() - 19 - 42);
    QCOMPARE(w.form.FileGrid().ColumnWidth(), grid->columnWidth(1));
    auto* progress = w.Find<QProgressBar>("MainProgressBar");
    QCOMPARE(progress->geometry(), statusBar->PanelRect(1).adjusted(-1, -1, 1, 1));
  }
};

NOSK_UI_TEST(MainFormTest)
#include "mainform_test.moc"
