#include "ui/mainform.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

#include "engine/run.h"
#include "ui/advancedsettingspage.h"
#include "ui/anchoredgeometry.h"
#include "ui/captionfit.h"
#include "ui/filegridmodel.h"
#include "ui/formatconversionpage.h"
#include "ui/hinttimingstyle.h"
#include "ui/messagetext.h"
#include "ui/previewdialog.h"
#include "ui/scriptreplacepage.h"
#include "ui/statusbar.h"
#include "ui/textreplacepage.h"
#include "ui/timingshiftpage.h"
#include "ui/windowfilelist.h"
#include "ui/windowhost.h"

namespace nosk::ui {
namespace {

using engine::Page;

// Pages are designed at this size; controls keep their distances to the edges they are
// anchored to as the window is resized.
constexpr QSize kDesignedPageSize(704, 322);
constexpr int kDesignedNameColumnWidth = 373;

}  // namespace

TMainForm::TMainForm(std::unique_ptr<DesktopServices> desktop, QWidget* parent)
    : QMainWindow(parent),
      desktop_(std::move(desktop)),
      geometry_(new AnchoredGeometry(kDesignedPageSize, this)),
      hintTiming_(HintTimingStyle::Installed()),
      statusBar_(new PanelStatusBar(this)),
      statusBarTimer_(new QTimer(this)),
      MainPageControl_(new QTabWidget(this)) {
  host_ = std::make_unique<WindowHost>(*this, *statusBar_);
  setWindowTitle(QStringLiteral("Nosk"));
  setObjectName("MainForm");
  // The layout is designed for a small 8-point sans serif, as classic desktop dialogs use.
  QFont windowFont = font();
  windowFont.setPointSize(8);
  setFont(windowFont);
  MainPageControl_->setObjectName("MainPageControl");
  MainPageControl_->setDocumentMode(true);
  setCentralWidget(MainPageControl_);
  setStatusBar(statusBar_);
  scriptReplace_ = new ScriptReplacePage(*geometry_, MainPageControl_);
  timingShift_ = new TimingShiftPage(*geometry_, *desktop_, MainPageControl_);
  textReplace_ = new TextReplacePage(*geometry_, MainPageControl_);
  formatConversion_ = new FormatConversionPage(*geometry_, MainPageControl_);
  advancedSettings_ = new AdvancedSettingsPage(*geometry_, MainPageControl_);
  pages_ = {scriptReplace_, timingShift_, textReplace_, formatConversion_, advancedSettings_};
  const QString pageCaptions[] = {tr("Script Replace"), tr("Timing Shift"), tr("Text Replace"),
                                  tr("Format Conversion"), tr("Advanced Settings")};
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    MainPageControl_->addTab(pages_[i], pageCaptions[i]);
  }
  BuildMenu();
  BuildFileListBox();
  SetHints();
  NarrowCaptionsToFit(*this);
  // The Search and Replace boxes share the page's width; the anchors only keep their heights.
  geometry_->SetAfterApply([this](QWidget* container) {
    if (container == scriptReplace_) scriptReplace_->LayOutEditorBoxes(MainPageControl_->width());
  });
  resize(712, 392);
  setMinimumSize(712, 392);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }

  // The model, measuring with the grid's font against the designed width of the name column.
  const filelist::TextMeasurer& measurer = *this;
  fileGrid_ = std::make_unique<filelist::TFileGrid>(measurer, kDesignedNameColumnWidth, 1);
  gridModel_ = new FileGridModel(*fileGrid_, this);
  sgdFilelist_->setModel(gridModel_);
  sgdFilelist_->setColumnWidth(FileGridModel::kCheckColumn, 19);
  sgdFilelist_->setColumnWidth(FileGridModel::kNameColumn, kDesignedNameColumnWidth);
  sgdFilelist_->setColumnWidth(FileGridModel::kResultColumn, 42);
  sgdFilelist_->viewport()->installEventFilter(this);
  connect(gridModel_, &FileGridModel::CheckBoxClicked, this, &TMainForm::sgdFilelistCheckBoxClick);

  ClearGridRows();
  InterfaceRedraw();
  MainPageControlChange();
  connect(MainPageControl_, &QTabWidget::currentChanged, this, [this](int index) {
    // "Advanced Settings" remembers the page it was opened from, for "OK".
    if (index == kAdvancedSettingsTab) pg4Tag_ = previousPage_;
    previousPage_ = index;
    MainPageControlChange();
  });

  capsLockOn_ = desktop_->CapsLockOn();
  insertOn_ = false;
  statusBar_->SetIndicators(insertOn_, capsLockOn_);
  connect(statusBarTimer_, &QTimer::timeout, this, &TMainForm::MainStatusBarTimerTimer);
  statusBarTimer_->start(200);
  setAcceptDrops(true);

  for (WindowPage* page : pages_) {
    connect(page, &WindowPage::Changed, this, &TMainForm::InterfaceRedraw);
    connect(page, &WindowPage::Notice, this,
            [this](const QString& text) { statusBar_->SetStatusText(text); });
  }
  for (RunPage* page : std::initializer_list<RunPage*>{scriptReplace_, timingShift_, textReplace_,
                                                       formatConversion_}) {
    connect(page, &RunPage::RunClicked, this, [this](engine::RunMode mode) { RunBatch(mode); });
    connect(page, &RunPage::PreviewClicked, this, &TMainForm::PreviewClick);
    connect(page, &RunPage::ExclusionsClicked, this, &TMainForm::ChooseExclusions);
  }
  connect(advancedSettings_, &AdvancedSettingsPage::SectionChosen, scriptReplace_,
          &ScriptReplacePage::SetSection);
  // The search mode is chosen on "Script Replace" and on "Advanced Settings"; both always agree.
  connect(scriptReplace_, &ScriptReplacePage::SearchModeChosen, advancedSettings_,
          &AdvancedSettingsPage::SetSearchMode);
  connect(advancedSettings_, &AdvancedSettingsPage::SearchModeChosen, scriptReplace_,
          &ScriptReplacePage::SetSearchMode);
  connect(timingShift_, &TimingShiftPage::SearchSettingsClicked, this,
          [this] { MainPageControl_->setCurrentIndex(kAdvancedSettingsTab); });
  connect(scriptReplace_, &ScriptReplacePage::MoreClicked, this,
          [this] { MainPageControl_->setCurrentIndex(kAdvancedSettingsTab); });
  connect(advancedSettings_, &AdvancedSettingsPage::OkClicked, this,
          [this] { MainPageControl_->setCurrentIndex(pg4Tag_); });
  RestoreSettings();
}

TMainForm::~TMainForm() {
  // The grid goes before the list it shows.
  sgdFilelist_->setModel(nullptr);
  delete gridModel_;
}

int TMainForm::TextWidth(const QString& text) const {
  return sgdFilelist_->fontMetrics().horizontalAdvance(text);
}

// Runs ------------------------------------------------------------------------------------------

RunPage* TMainForm::ShownRunPage() const {
  switch (settings_.WorkMode) {
    case Page::TimingShift:
      return timingShift_;
    case Page::FormatConversion:
      return formatConversion_;
    case Page::TextReplace:
      return textReplace_;
    case Page::ScriptReplace:
    case Page::AdvancedSettings:
      break;
  }
  return scriptReplace_;
}

void TMainForm::RunBatch(engine::RunMode mode, const engine::PreviewedScripts* previewed) {
  // A run that stops at a check must not leave the numbers of the run before beside its reason.
  ClearResults();
  gridModel_->ColumnChanged(FileGridModel::kResultColumn);
  statusBar_->SetStatusText({});
  if (!ReadBatchSettings(mode != engine::RunMode::Count)) {
    statusBar_->SetStatusText(tr("Internal application error."));
    return;
  }
  WindowFileList files(*fileGrid_);
  engine::RunRequest request = ShownRunPage()->Request(settings_, mode);
  request.previewed = previewed;
  const engine::RunOutcome outcome = engine::Run(request, files, *host_);
  if (outcome) {
    if (!outcome.problems.empty()) {
      QStringList problems;
      for (const script::Message& problem : outcome.problems) problems.append(Translated(problem));
      desktop_->ShowMessage(this, tr("Error"), problems.join(QStringLiteral("\n")));
    }
    RefreshFileGrid();
    if (mode == engine::RunMode::Write) {
      ReportRun(ShownRunPage()->RunName(), files.Tally());
    }
    ShowRunNotes(outcome.notes);
    TellAtOnce(files.Announced());
  } else {
    ShowStop(*outcome.stopped);
  }
  DropInputQueuedDuringTheRun();
}

void TMainForm::ShowStop(const engine::RunStop& stop) {
  statusBar_->SetStatusText(Translated(stop.status));
  if (!stop.explanation.empty()) {
    desktop_->ShowMessage(this, Translated(stop.title), Translated(stop.explanation));
  }
}

void TMainForm::PreviewClick() {
  statusBar_->SetStatusText({});
  if (!ReadBatchSettings(true)) {
    statusBar_->SetStatusText(tr("Internal application error."));
    return;
  }
  engine::RunRequest request = ShownRunPage()->Request(settings_, engine::RunMode::Preview);
  request.explainMisses = true;
  PreviewFileList files(*fileGrid_);
  const engine::RunOutcome outcome = engine::Run(request, files, *host_);
  DropInputQueuedDuringTheRun();
  if (!outcome) {
    ShowStop(*outcome.stopped);
    return;
  }
  // The selected script's changes are worked out again when it is shown: a preview of that one
  // script, so that no more than one script's changes are held.
  engine::RunRequest single = request;
  single.explainMisses = false;
  single.collectChanges = true;
  const auto changesOf = [this, single](const QString& path) {
    SingleFileList one(path);
    engine::Run(single, one, *host_);
    return one.Result();
  };
  const QString title = tr("Preview: %1").arg(ShownRunPage()->RunName());
  PreviewDialog dialog(title, files.Entries(), changesOf, this);
  if (desktop_->RunDialog(dialog) != QDialog::Accepted) return;
  const engine::PreviewedScripts previewed = files.Previewed();
  RunBatch(engine::RunMode::Write, &previewed);
}

void TMainForm::ReportRun(const QString& what, const engine::RunTally& tally) {
  QString report = tr("%1: %2 changed, %3 unchanged, %4 failed.")
                       .arg(what)
                       .arg(tally.changed)
                       .arg(tally.unchanged)
                       .arg(tally.failed);
  if (tally.failed > 0) report += QStringLiteral(" ") + tr("Double-click a row for its reason.");
  if (tally.backupFolders.size() == 1) {
    report +=
        QStringLiteral(" ") +
        tr("Previous versions: %1.").arg(QFile::decodeName(tally.backupFolders.front().c_str()));
  } else if (tally.backupFolders.size() > 1) {
    report += QStringLiteral(" ") + tr("Previous versions: in Nosk_backup beside each script.");
  }
  if (tally.changed > 0) report += QStringLiteral(" ") + tr("Undo Last Run takes the run back.");
  statusBar_->SetStatusText(report);
  statusBar_->setToolTip(report);
}

void TMainForm::TellAtOnce(const QStringList& announced) {
  if (announced.isEmpty()) return;
  // One message for the run, however many scripts it concerns.
  constexpr int kShown = 10;
  QStringList lines = announced.mid(0, kShown);
  if (announced.size() > kShown) {
    lines.append(tr("... and %1 more.").arg(announced.size() - kShown));
  }
  desktop_->ShowMessage(this, tr("Error"), lines.join(QStringLiteral("\n")));
}

void TMainForm::sgdFilelistDblClick(int row) {
  const int entry = row;
  if (entry < 0 || entry >= fileGrid_->Count()) return;
  const filelist::TFileGridLine& line = fileGrid_->Line(entry);
  if (line.ResultReason.isEmpty()) return;
  desktop_->ShowMessage(this, line.Values[0] == engine::kFailed ? tr("Error") : tr("Result"),
                        line.Path + QStringLiteral("\n\n") + line.ResultReason);
}

void TMainForm::DropInputQueuedDuringTheRun() {
  // Clicks and keys the window system queued while the run held the event loop are taken off
  // the queue and dropped; everything else (paints, timers) goes on as usual.
  class InputDropper : public QObject {
   public:
    bool eventFilter(QObject*, QEvent* event) override {
      switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
          return true;
        default:
          return false;
      }
    }
  } dropper;
  qApp->installEventFilter(&dropper);
  QCoreApplication::processEvents();
  qApp->removeEventFilter(&dropper);
}

bool TMainForm::ReadBatchSettings(bool execute) {
  bool complete = true;
  for (const WindowPage* page : pages_)
    complete = page->ReadSettings(settings_, execute) && complete;
  settings_.Exclusions = exclusions_.Filter();
  return complete;
}

// Enabling rules and modes ----------------------------------------------------------------------

void TMainForm::InterfaceRedraw() {
  statusBar_->SetStatusText({});
  statusBar_->setToolTip({});
  const bool listed = fileGrid_->Count() != 0;
  for (WindowPage* page : pages_) page->Redraw(listed);
  ShowListSummary();
}

void TMainForm::ShowListSummary() {
  int checked = 0;
  for (int entry = 0; entry < fileGrid_->Count(); ++entry) checked += fileGrid_->GetChecked(entry);
  statusBar_->SetCounts(fileGrid_->Count(), checked);
  // "Nosk", and the folder of the first script when scripts are listed.
  setWindowTitle(
      fileGrid_->Count() == 0
          ? QStringLiteral("Nosk")
          : QStringLiteral("Nosk — %1").arg(QFileInfo(fileGrid_->GetPath(0)).absolutePath()));
}

// Pages -----------------------------------------------------------------------------------------

void TMainForm::MainPageControlChange() {
  const int index = MainPageControl_->currentIndex();
  if (index != kAdvancedSettingsTab && index >= 0) {
    // The file list box goes with the page; "Advanced Settings" shows none.
    if (grpFilelist_->parentWidget() != pages_[index]) {
      grpFilelist_->setParent(pages_[index]);
      geometry_->Apply(pages_[index]);
      grpFilelist_->show();
    }
    constexpr Page kPageOfTab[] = {Page::ScriptReplace, Page::TimingShift, Page::TextReplace,
                                   Page::FormatConversion};
    settings_.WorkMode = kPageOfTab[index];
  } else {
    settings_.WorkMode = Page::AdvancedSettings;
  }
  ClearResults();
  RefreshFileGrid();
}

void TMainForm::ClearResults() {
  for (std::int32_t i = 0; i < fileGrid_->Count(); ++i) {
    fileGrid_->SetValue(engine::kNotProcessed, i, 0);
    fileGrid_->Line(i).ResultReason.clear();
  }
}

// Window events ---------------------------------------------------------------------------------

void TMainForm::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange) {
    if (isActiveWindow()) {
      FormActivate();
    } else {
      FormDeactivate();
    }
  }
  QMainWindow::changeEvent(event);
}

// While the window is active its hints come quickly and stay long.
void TMainForm::FormActivate() {
  savedHintPause_ = hintTiming_->WakeUpDelay();
  savedHintHidePause_ = 10000;  // how long a short hint stays is fixed at 10 s by the toolkit
  hintTiming_->SetWakeUpDelay(250);
}

void TMainForm::FormDeactivate() { hintTiming_->SetWakeUpDelay(savedHintPause_); }

void TMainForm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  InterfaceRedraw();
}

// "OK" is the default and cancel button of "Advanced Settings", wherever the focus is.
void TMainForm::keyPressEvent(QKeyEvent* event) {
  if (MainPageControl_->currentIndex() == kAdvancedSettingsTab &&
      advancedSettings_->PressOkByKey(event))
    return;
  QMainWindow::keyPressEvent(event);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == sgdFilelist_->viewport() && event->type() == QEvent::Resize) sgdFilelistResize();
  return QMainWindow::eventFilter(watched, event);
}

void TMainForm::MainStatusBarTimerTimer() {
  const bool on = desktop_->CapsLockOn();
  if (on == capsLockOn_) return;
  capsLockOn_ = on;
  statusBar_->SetIndicators(insertOn_, capsLockOn_);
}

}  // namespace nosk::ui
