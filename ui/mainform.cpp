#include "ui/mainform.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
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

#include "engine/editortext.h"
#include "engine/run.h"
#include "ui/anchoredgeometry.h"
#include "ui/captionfit.h"
#include "ui/filegridmodel.h"
#include "ui/hinttimingstyle.h"
#include "ui/messagetext.h"
#include "ui/previewdialog.h"
#include "ui/shiftamountedit.h"
#include "ui/spinbutton.h"
#include "ui/statusbar.h"
#include "ui/windowfilelist.h"
#include "ui/windowhost.h"

namespace nosk::ui {
namespace {

using engine::Affect;
using engine::Matching;
using engine::Page;
using engine::Replacement;
using engine::Times;

// Pages are designed at this size; controls keep their distances to the edges they are
// anchored to as the window is resized.
constexpr QSize kDesignedPageSize(704, 322);
constexpr int kDesignedNameColumnWidth = 373;

// The lines of an editor, as the engine takes them.
std::vector<std::string> EditorLines(const QPlainTextEdit* editor) {
  return engine::SplitEditorText(editor->toPlainText().toStdString());
}

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
  setWindowTitle(QStringLiteral("Nosk beta"));
  setObjectName("MainForm");
  // The layout is designed for a small 8-point sans serif, as classic desktop dialogs use.
  QFont windowFont = font();
  windowFont.setPointSize(8);
  setFont(windowFont);
  MainPageControl_->setObjectName("MainPageControl");
  MainPageControl_->setDocumentMode(true);
  setCentralWidget(MainPageControl_);
  setStatusBar(statusBar_);
  const char* pageNames[] = {"pg1", "pg2", "pg3", "pg4"};
  const QString pageCaptions[] = {tr("Script Replace"), tr("Timing Shift"), tr("Format Conversion"),
                                  tr("Advanced Settings")};
  for (int i = 0; i < 4; ++i) {
    pages_[i] = new QWidget;
    pages_[i]->setObjectName(pageNames[i]);
    MainPageControl_->addTab(pages_[i], pageCaptions[i]);
  }
  BuildMenu();
  BuildFileListBox();
  BuildScriptReplacePage(pages_[0]);
  BuildTimingShiftPage(pages_[1]);
  BuildFormatConversionPage(pages_[2]);
  BuildAdvancedSettingsPage(pages_[3]);
  SetHints();
  NarrowCaptionsToFit(*this);
  // The Search and Replace boxes share the page's width; the anchors only keep their heights.
  geometry_->SetAfterApply([this](QWidget* container) {
    if (container == grpP1Edit1_->parentWidget()) LayOutEditorBoxes();
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
    if (index == 3) pg4Tag_ = previousPage_;
    previousPage_ = index;
    MainPageControlChange();
  });

  capsLockOn_ = desktop_->CapsLockOn();
  insertOn_ = false;
  statusBar_->SetIndicators(insertOn_, capsLockOn_);
  connect(statusBarTimer_, &QTimer::timeout, this, &TMainForm::MainStatusBarTimerTimer);
  statusBarTimer_->start(200);
  setAcceptDrops(true);

  for (int row = 1; row <= 5; ++row) {
    connect(rbnP1ReplaceMode_[row], &QRadioButton::toggled, this, [this](bool on) {
      if (on) InterfaceRedraw();
    });
  }
  for (int mode = 2; mode <= 5; ++mode) {
    connect(rbnP1SearchMode_[mode], &QRadioButton::toggled, this, [this, mode](bool on) {
      if (on) SearchModeChecked(mode, false);
    });
    connect(rbnSearchMode_[mode], &QRadioButton::toggled, this, [this, mode](bool on) {
      if (on) SearchModeChecked(mode, true);
    });
  }
  for (int mode = 1; mode <= 4; ++mode) {
    connect(rbnP2AffectMode_[mode], &QRadioButton::toggled, this, [this](bool on) {
      if (on) InterfaceRedraw();
    });
  }
  connect(rbnP2AffectModeEx1_, &QCheckBox::toggled, this, [this] { InterfaceRedraw(); });
  connect(edP2Shift_, &ShiftAmountEdit::AmountChanged, this, [this] { InterfaceRedraw(); });
  // A pasted "-1.5" is 1.5 seconds back; without a sign the direction stays as it was.
  connect(edP2Shift_, &ShiftAmountEdit::AmountPasted, this, [this](bool backward) {
    if (backward) rbnP2ShiftMode2_->setChecked(true);
  });
  // The arrows step as the Up and Down keys do, by the modifiers held at the click.
  connect(spinP2Shift_, &SpinButton::UpClicked, this,
          [this] { edP2Shift_->Step(1, desktop_->HeldModifiers()); });
  connect(spinP2Shift_, &SpinButton::DownClicked, this,
          [this] { edP2Shift_->Step(-1, desktop_->HeldModifiers()); });
  connect(btnP2ShiftClear_, &QToolButton::clicked, edP2Shift_, &ShiftAmountEdit::Clear);
  connect(btnP1Search_, &QPushButton::clicked, this, [this] { RunBatch(engine::RunMode::Count); });
  connect(btnP1Execute_, &QPushButton::clicked, this, [this] { RunBatch(engine::RunMode::Write); });
  connect(btnP2Search_, &QPushButton::clicked, this, [this] { RunBatch(engine::RunMode::Count); });
  connect(btnP2Execute_, &QPushButton::clicked, this, [this] { RunBatch(engine::RunMode::Write); });
  connect(btnP3Execute_, &QPushButton::clicked, this, [this] { RunBatch(engine::RunMode::Write); });
  connect(btnP1Preview_, &QPushButton::clicked, this, &TMainForm::PreviewClick);
  connect(btnP2Preview_, &QPushButton::clicked, this, &TMainForm::PreviewClick);
  connect(btnP3Preview_, &QPushButton::clicked, this, &TMainForm::PreviewClick);
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

engine::EditorTexts TMainForm::ReadEditors() const {
  engine::EditorTexts editors;
  editors.SearchLines = EditorLines(settings_.WorkMode == Page::TimingShift ? P2Edit1_ : P1Edit1_);
  editors.ReplaceLines = EditorLines(P1Edit2_);
  editors.ShiftText = edP2Shift_->text().toStdString();
  editors.ShiftForward = rbnP2ShiftMode1_->isChecked();
  return editors;
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
  engine::RunRequest request = engine::RequestOf(settings_, ReadEditors(), mode);
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
      ReportRun(RunName(), files.Tally());
    }
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
  engine::RunRequest request =
      engine::RequestOf(settings_, ReadEditors(), engine::RunMode::Preview);
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
  const QString title = tr("Preview: %1").arg(RunName());
  PreviewDialog dialog(title, files.Entries(), changesOf, this);
  if (desktop_->RunDialog(dialog) != QDialog::Accepted) return;
  const engine::PreviewedScripts previewed = files.Previewed();
  RunBatch(engine::RunMode::Write, &previewed);
}

void TMainForm::actUndoLastRunExecute() {
  ClearResults();
  statusBar_->SetStatusText({});
  bool anyChecked = false;
  for (std::int32_t i = 0; i < fileGrid_->Count(); ++i) anyChecked |= fileGrid_->GetChecked(i);
  if (!anyChecked) {
    RefreshFileGrid();
    statusBar_->SetStatusText(Translated(script::Message(script::MessageId::NoFiles)));
    return;
  }
  WindowFileList files(*fileGrid_);
  engine::RunRequest request;
  request.mode = engine::RunMode::Write;
  request.operation = engine::UndoRequest{};
  const engine::RunOutcome outcome = engine::Run(request, files, *host_);
  RefreshFileGrid();
  QStringList announced = files.Announced();
  for (const script::Message& problem : outcome.problems) announced.append(Translated(problem));
  ReportRun(tr("Undo"), files.Tally());
  TellAtOnce(announced);
  DropInputQueuedDuringTheRun();
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
  const auto firstChecked = [](const auto& radios, int first, int last) {
    for (int i = first; i <= last; ++i) {
      if (radios[i]->isChecked()) return i;
    }
    return 0;
  };
  if (const int search = firstChecked(rbnSearchMode_, 2, 5); search != 0) {
    settings_.SearchMode = static_cast<Matching>(search);
  } else {
    complete = false;
  }
  if (!execute) {
    settings_.ReplaceMode = Replacement::None;
  } else if (const int replace = firstChecked(rbnP1ReplaceMode_, 1, 5); replace != 0) {
    settings_.ReplaceMode = replace == 1 ? Replacement::None : static_cast<Replacement>(replace);
  } else {
    complete = false;
  }
  const bool includeBlock = rbnP2AffectModeEx1_->isChecked();
  switch (firstChecked(rbnP2AffectMode_, 1, 4)) {
    case 1:
      settings_.AffectMode = Affect::AllFilesAllRows;
      break;
    case 2:
      settings_.AffectMode = Affect::AllRows;
      break;
    case 3:
      settings_.AffectMode = includeBlock ? Affect::RowsBeforeAndBlock : Affect::RowsBefore;
      break;
    case 4:
      settings_.AffectMode = includeBlock ? Affect::RowsAfterAndBlock : Affect::RowsAfter;
      break;
    default:
      complete = false;
  }
  if (!execute) {
    settings_.TimesMode = Times::None;
  } else if (const int times = firstChecked(rbnP2TimesMode_, 1, 3); times != 0) {
    settings_.TimesMode = static_cast<Times>(times);
  } else {
    complete = false;
  }
  ReadConversionSettings();
  return complete;
}

QString TMainForm::RunName() const {
  switch (settings_.WorkMode) {
    case Page::TimingShift:
      return tr("Shift Times");
    case Page::FormatConversion:
      return tr("Convert");
    default:
      return tr("Replace");
  }
}

// Enabling rules and modes ----------------------------------------------------------------------

void TMainForm::InterfaceRedraw() {
  statusBar_->SetStatusText({});
  statusBar_->setToolTip({});
  const bool listed = fileGrid_->Count() != 0;
  btnP1Search_->setEnabled(listed);
  btnP2Search_->setEnabled(listed);
  btnP1Execute_->setEnabled(listed && !rbnP1ReplaceMode_[1]->isChecked());
  btnP2Execute_->setEnabled(listed && edP2Shift_->text() != QStringLiteral("0:00:00.00"));
  btnP3Execute_->setEnabled(listed);
  btnP1Preview_->setEnabled(btnP1Execute_->isEnabled());
  btnP2Preview_->setEnabled(btnP2Execute_->isEnabled());
  btnP3Preview_->setEnabled(btnP3Execute_->isEnabled());
  P2Edit1_->setEnabled(!rbnP2AffectMode_[1]->isChecked());
  rbnP2AffectModeEx1_->setEnabled(rbnP2AffectMode_[3]->isChecked() ||
                                  rbnP2AffectMode_[4]->isChecked());
}

// The search mode is chosen on "Script Replace" and on "Advanced Settings"; both always agree.
void TMainForm::SearchModeChecked(int mode, bool onAdvancedPage) {
  QRadioButton* twin = onAdvancedPage ? rbnP1SearchMode_[mode] : rbnSearchMode_[mode];
  twin->setChecked(true);  // no signal when it is checked already
  InterfaceRedraw();
}

// A left press on a mode's name picks its search mode, a right press its replace mode.
void TMainForm::ModeLabelPressed(int row, Qt::MouseButton button) {
  if (button == Qt::LeftButton) {
    if (rbnP1SearchMode_[row]->isEnabled()) rbnP1SearchMode_[row]->setChecked(true);
  } else if (button == Qt::RightButton) {
    if (rbnP1ReplaceMode_[row]->isEnabled()) rbnP1ReplaceMode_[row]->setChecked(true);
  }
}

// Pages -----------------------------------------------------------------------------------------

void TMainForm::MainPageControlChange() {
  const int index = MainPageControl_->currentIndex();
  if (index <= 2) {
    // The file list box goes with the page; "Advanced Settings" shows none.
    if (grpFilelist_->parentWidget() != pages_[index]) {
      grpFilelist_->setParent(pages_[index]);
      geometry_->Apply(pages_[index]);
      grpFilelist_->show();
    }
    settings_.WorkMode = static_cast<Page>(index + 1);
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

void TMainForm::btnP2SearchSettingsClick() { MainPageControl_->setCurrentIndex(3); }

void TMainForm::btnP4OKClick() { MainPageControl_->setCurrentIndex(pg4Tag_); }

void TMainForm::btnExitClick() { QApplication::quit(); }

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

// "OK" is the default and cancel button of "Advanced Settings".
void TMainForm::keyPressEvent(QKeyEvent* event) {
  if (MainPageControl_->currentIndex() == 3) {
    const bool plain =
        (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) ==
        Qt::NoModifier;
    const QWidget* focus = QApplication::focusWidget();
    const bool otherButtonFocused =
        qobject_cast<const QPushButton*>(focus) != nullptr && focus != btnP4OK_;
    if (event->key() == Qt::Key_Escape ||
        (plain && !otherButtonFocused &&
         (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter))) {
      btnP4OK_->click();
      return;
    }
  }
  QMainWindow::keyPressEvent(event);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    for (int row = 1; row <= 5; ++row) {
      if (watched == lblP1Mode_[row]) {
        ModeLabelPressed(row, static_cast<QMouseEvent*>(event)->button());
        return true;
      }
    }
  }
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
