// The program's only window.
#pragma once

#include <QMainWindow>
#include <array>
#include <memory>

#include "engine/batchsettings.h"
#include "engine/run.h"
#include "engine/runrequest.h"
#include "engine/runtally.h"
#include "filelist/filegrid.h"
#include "ui/desktop.h"
#include "ui/exclusionsdialog.h"
#include "ui/filegridview.h"

class QAction;
class QGroupBox;
class QTabWidget;
class QTimer;

namespace nosk::ui {

class AdvancedSettingsPage;
class AnchoredGeometry;
class FileGridModel;
class FormatConversionPage;
class TextReplacePage;
class HintTimingStyle;
class PanelStatusBar;
class RunPage;
class ScriptReplacePage;
class TimingShiftPage;
class WindowFileList;
class WindowHost;
class WindowPage;

// Four pages ("Script Replace", "Timing Shift", "Format Conversion", "Advanced Settings"), each a
// class of its own, the file list box that moves to the page shown, the menu and the status bar.
// Runs go through a WindowHost (status text, progress, repaints, notes) and a WindowFileList
// beside it.
//
// Grid rows are counted as the file list commands count them: row 0 is the header, entry i is
// row i + 1.
class TMainForm : public QMainWindow, private filelist::TextMeasurer, private FileGridInput {
  Q_OBJECT

 public:
  explicit TMainForm(std::unique_ptr<DesktopServices> desktop = MakeSystemDesktop(),
                     QWidget* parent = nullptr);
  ~TMainForm() override;

  // The command line: paths and wildcard patterns are added, "/e" ends the program once its
  // event loop starts, "/b" beeps.
  void FormCreate(const QStringList& arguments);

  // Adds a script to the list, sorted; false when the path is not a script's, is listed
  // already, or the list refuses it.
  bool AddScriptFile(const QString& path);
  // Adds several scripts as AddScriptFile would one by one, sorting and showing the list once:
  // the same list, order, selection and results. The number added.
  int AddScriptFiles(const QStringList& paths);
  // Shows the list anew, collapsing the selection to its first row.
  void RefreshFileGrid();
  // Shows the header and one empty row (the list is empty whenever this is called alone).
  void ClearGridRows();
  // The enabling rules of the run buttons and two inputs; empties the status text.
  void InterfaceRedraw();

  filelist::TFileGrid& FileGrid() { return *fileGrid_; }
  const engine::BatchSettings& Settings() const { return settings_; }
  int AnchorRow() const { return anchorRow_; }

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int TextWidth(const QString& text) const override;

  // The grid's keys and mouse presses: range selection from the anchor row, Space over a range.
  bool sgdFilelistKeyDown(QKeyEvent* event) override;
  void sgdFilelistKeyUp(QKeyEvent* event) override;
  bool sgdFilelistMouseActivate(QMouseEvent* event) override;
  void sgdFilelistMouseDown(QMouseEvent* event) override;
  void sgdFilelistKeyPress();
  // Selects rows a to b (in either order, clamped to the data rows); the last becomes current.
  void SelectRows(int a, int b);
  void ExtendSelectionDown(int n);
  void ExtendSelectionUp(int n);
  // The grid's row count, header included, and its current row.
  int GridRowCount() const;
  int CurrentRow() const;

  void BuildMenu();
  void BuildFileListBox();
  // The page whose run the buttons of the page shown start: "Advanced Settings" has none.
  RunPage* ShownRunPage() const;
  // Gives the window's own controls their hints; each page gives its own.
  void SetHints();
  // What the window remembers between starts (QSettings): size, position, page, the last
  // folders of the file commands, and what each page remembers. Without saved settings the
  // window stays as it was built.
  void SaveSettings() const;
  void RestoreSettings();
  void actAboutExecute();

  // A run of the page shown: "Search" counts, "Replace", "Shift Times" and "Convert" write; a
  // write that applies a preview writes only what it showed.
  void RunBatch(engine::RunMode mode, const engine::PreviewedScripts* previewed = nullptr);
  // Fills the settings record from every page; false when a group has no checked choice.
  bool ReadBatchSettings(bool execute);
  // Why a run stopped at a check: the status text, and a box when there is more to tell.
  void ShowStop(const engine::RunStop& stop);
  // "Preview...": the run worked out and shown; written as shown when the user applies it.
  void PreviewClick();
  // "Undo Last Run": the checked scripts of the most recent run recorded in their folders.
  void actUndoLastRunExecute();
  // Redo: puts back what the last undo of the checked scripts' folders took back.
  void actRedoExecute();
  // An undo (each one a run further back) or a redo of the checked scripts' folders.
  void TakeBack(bool redo);
  // An undo or a redo run over `files`, its results in the list, its report in the status bar.
  void RunTakingBack(const engine::RunRequest& request, WindowFileList& files, const QString& what);
  // "History...": the runs of the listed scripts' folders; the one chosen is taken back in
  // every folder it wrote in.
  void actHistoryExecute();
  // After a run that writes: what it did, in the status bar.
  void ReportRun(const QString& what, const engine::RunTally& tally);
  // "Exclusions...": the styles and actors of the listed scripts offered, the choice kept.
  void ChooseExclusions();
  // What the run as a whole tells besides its report (the exclusions in force), after the
  // status text.
  void ShowRunNotes(const std::vector<script::Message>& notes);
  // What a run must tell at once ("path: reason" each), in one message for the whole run.
  void TellAtOnce(const QStringList& announced);
  // A double click on a row tells the reason of its result.
  void sgdFilelistDblClick(int row) override;
  // Input that came while a run held the window (a second click of a double click on
  // "Shift Times") is dropped, not run again.
  void DropInputQueuedDuringTheRun();
  void MainPageControlChange();
  // Every entry's result becomes "not processed", without its reason; the grid is not redrawn.
  void ClearResults();
  void MainStatusBarTimerTimer();
  void FormActivate();
  void FormDeactivate();

  void actAddFileExecute();
  void actAddFolderExecute();
  // The scripts of a folder, as the folder button and a folder on the command line add them;
  // when its subfolders hold scripts too, the status bar says they were not taken.
  void AddFolderScripts(const QString& folder);
  // The file list's context menu: every entry checked, unchecked, or each the other way; the
  // folder of the current entry in the file manager.
  void SetAllChecks(int how);
  // The status bar's count of listed and checked scripts, and the window's title.
  void ShowListSummary();
  void actOpenContainingFolderExecute();
  // F5: the shown page's Search, when it has one and may run.
  void RunShownPageSearch();
  void actRemoveFileExecute();
  void actRemoveAllFilesExecute();
  void sgdFilelistResize();
  void sgdFilelistCheckBoxClick(int entry);
  // The paths a command-line parameter names: a file, or the files a wildcard pattern matches.
  QStringList MatchCommandLinePath(const QString& parameter) const;

  // The selected rows, first and last (grid rows); the current row.
  std::pair<int, int> SelectedRows() const;
  void SelectSingleRow(int row);

  std::unique_ptr<DesktopServices> desktop_;
  std::unique_ptr<filelist::TFileGrid> fileGrid_;
  std::unique_ptr<WindowHost> host_;
  engine::BatchSettings settings_;
  ExclusionChoice exclusions_;  // of "Script Replace" and "Timing Shift"
  int savedHintPause_ = 0;
  int savedHintHidePause_ = 0;
  bool capsLockOn_ = false;
  bool insertOn_ = false;
  int anchorRow_ = 1;
  int extendingKey_ = 0;  // the key whose press last extended the selection, until released
  static constexpr int kAdvancedSettingsTab = 4;
  int pg4Tag_ = kAdvancedSettingsTab;  // the page "Advanced Settings" was opened from
  int previousPage_ = 0;               // the page shown before the current one
  QString lastFileFolder_;             // where "Add..." last found scripts
  QString lastAddedFolder_;            // the folder "Add folder..." last added

  AnchoredGeometry* geometry_;
  HintTimingStyle* hintTiming_;
  FileGridModel* gridModel_ = nullptr;
  PanelStatusBar* statusBar_;
  QTimer* statusBarTimer_;
  QTabWidget* MainPageControl_;

  QAction* actAddFile_;
  QAction* actAddFolder_;
  QAction* actRemoveSelected_;  // Delete in the file list
  QAction* actOpenContainingFolder_;
  QAction* actCheckAll_;
  QAction* actUncheckAll_;
  QAction* actInvertChecks_;
  QAction* actRunSearch_;  // F5
  QAction* actRedo_;
  QAction* actHistory_;
  QAction* actRemoveFile_;
  QAction* actRemoveAllFiles_;
  QAction* actFileExit_;
  QAction* actAbout_;
  QAction* actUndoLastRun_;

  QGroupBox* grpFilelist_;
  FileGridView* sgdFilelist_;

  ScriptReplacePage* scriptReplace_;
  TimingShiftPage* timingShift_;
  TextReplacePage* textReplace_;
  FormatConversionPage* formatConversion_;
  AdvancedSettingsPage* advancedSettings_;
  // The four pages, in their order on the page control.
  std::array<WindowPage*, 5> pages_{};  // in the order of their tabs
};

}  // namespace nosk::ui
