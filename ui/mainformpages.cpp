// The controls of the window: the menu, the four pages and the file list box, at the bounds
// and with the captions, names and initial states of the design.
#include <QAction>
#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/anchoredgeometry.h"
#include "ui/filegridview.h"
#include "ui/mainform.h"
#include "ui/pagewidgets.h"
#include "ui/shiftamountedit.h"
#include "ui/spinbutton.h"

namespace nosk::ui {
namespace {

constexpr int kButtonsTop = 292;
constexpr int kAnchorRightBottom = kAnchorRight | kAnchorBottom;

// A box with a flat border, holding a column of radio buttons.
QFrame* FlatPanel(QWidget* parent, const char* name, QRect bounds) {
  auto* panel = Named(new QFrame(parent), name);
  panel->setFrameStyle(QFrame::Box | QFrame::Plain);
  panel->setGeometry(bounds);
  return panel;
}

// The hint of a control that does nothing in this version.
QString NotYet() { return TMainForm::tr("Not available yet"); }

}  // namespace

QPushButton* TMainForm::AddBottomButton(QWidget* page, const char* name, const QString& caption,
                                        int left) {
  auto* button = Named(new QPushButton(caption, page), name);
  geometry_->Place(button, QRect(left, kButtonsTop, 75, 23), kAnchorRightBottom);
  return button;
}

void TMainForm::AddExitButton(QWidget* page, const char* name) {
  QPushButton* exit = AddBottomButton(page, name, tr("Exit"), 628);
  exit->setToolTip(tr("Close Nosk"));
  connect(exit, &QPushButton::clicked, this, &TMainForm::btnExitClick);
}

QPlainTextEdit* TMainForm::AddEditor(QGroupBox* box, const char* name) {
  auto* editor = Named(new QPlainTextEdit(box), name);
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(8);
  editor->setFont(font);
  editor->setLineWrapMode(QPlainTextEdit::NoWrap);
  editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  editor->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(4, 2, 4, 4);
  layout->addWidget(editor);
  return editor;
}

void TMainForm::BuildMenu() {
  auto* menuBar = Named(new QMenuBar(this), "MainActionMainMenuBar");
  setMenuBar(menuBar);
  const auto action = [this](const char* name, const QString& text, QKeySequence shortcut) {
    auto* a = Named(new QAction(text, this), name);
    a->setShortcut(shortcut);
    a->setShortcutContext(Qt::WindowShortcut);
    return a;
  };
  actAddFile_ = action("actAddFile", tr("&Add..."), QKeySequence(Qt::CTRL | Qt::Key_O));
  actAddFolder_ = action("actAddFolder", tr("A&dd folder..."), QKeySequence(Qt::CTRL | Qt::Key_F));
  actRemoveFile_ = action("actRemoveFile", tr("&Remove"), {});
  actRemoveAllFiles_ = action("actRemoveAllFiles", tr("R&emove all"), {});
  actFileExit_ = action("actFileExit", tr("E&xit"), QKeySequence(Qt::ALT | Qt::Key_X));
  actAbout_ = action("actAbout", tr("&About..."), {});
  // Ctrl+Z: an editor with the focus takes it for its own undo first.
  actUndoLastRun_ =
      action("actUndoLastRun", tr("&Undo Last Run"), QKeySequence(Qt::CTRL | Qt::Key_Z));

  QMenu* file = menuBar->addMenu(tr("&File"));
  file->addActions({actAddFile_, actAddFolder_, actRemoveFile_, actRemoveAllFiles_});
  file->addSeparator();
  file->addAction(actUndoLastRun_);
  file->addSeparator();
  file->addAction(actFileExit_);
  menuBar->addMenu(tr("&Help"))->addAction(actAbout_);
  // The shortcuts act anywhere in the window, also while the menu is closed.
  addActions({actAddFile_, actAddFolder_, actRemoveFile_, actRemoveAllFiles_, actUndoLastRun_,
              actFileExit_});

  connect(actAddFile_, &QAction::triggered, this, &TMainForm::actAddFileExecute);
  connect(actAddFolder_, &QAction::triggered, this, &TMainForm::actAddFolderExecute);
  connect(actRemoveFile_, &QAction::triggered, this, &TMainForm::actRemoveFileExecute);
  connect(actRemoveAllFiles_, &QAction::triggered, this, &TMainForm::actRemoveAllFilesExecute);
  connect(actFileExit_, &QAction::triggered, this, &QWidget::close);
  connect(actUndoLastRun_, &QAction::triggered, this, &TMainForm::actUndoLastRunExecute);
  connect(actAbout_, &QAction::triggered, this, &TMainForm::actAboutExecute);
}

void TMainForm::BuildFileListBox() {
  grpFilelist_ = Named(new QGroupBox(tr("Filelist"), pages_[0]), "grpFilelist");
  FileGridInput& input = *this;
  sgdFilelist_ = Named(new FileGridView(grpFilelist_, input), "sgdFilelist");
  sgdFilelist_->setSelectionBehavior(QAbstractItemView::SelectRows);
  sgdFilelist_->setSelectionMode(QAbstractItemView::ContiguousSelection);
  sgdFilelist_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  sgdFilelist_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  sgdFilelist_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  sgdFilelist_->setWordWrap(false);
  sgdFilelist_->setTextElideMode(Qt::ElideNone);
  sgdFilelist_->verticalHeader()->hide();
  sgdFilelist_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  sgdFilelist_->verticalHeader()->setDefaultSectionSize(17);
  sgdFilelist_->horizontalHeader()->setFixedHeight(17);
  sgdFilelist_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  sgdFilelist_->horizontalHeader()->setMinimumSectionSize(10);  // the check box column is 19
  sgdFilelist_->horizontalHeader()->setHighlightSections(false);
  sgdFilelist_->horizontalHeader()->setSectionsClickable(false);

  const auto button = [this](const char* name, const QString& caption, QAction* action) {
    auto* b = Named(new QPushButton(caption, grpFilelist_), name);
    b->setFixedSize(75, 23);
    connect(b, &QPushButton::clicked, action, &QAction::trigger);
    return b;
  };
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(button("btnAddFile", tr("Add..."), actAddFile_));
  buttons->addWidget(button("btnAddFolder", tr("Add folder..."), actAddFolder_));
  buttons->addWidget(button("btnRemoveFile", tr("Remove"), actRemoveFile_));
  buttons->addWidget(button("btnRemoveAll", tr("Remove all"), actRemoveAllFiles_));
  auto* layout = new QVBoxLayout(grpFilelist_);
  layout->setContentsMargins(6, 4, 6, 6);
  layout->setSpacing(4);
  layout->addWidget(sgdFilelist_);
  layout->addLayout(buttons);
  // The list takes the height a taller window has, so that a whole season shows at once.
  geometry_->Place(grpFilelist_, QRect(243, 0, 461, 171),
                   kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom);
}

void TMainForm::BuildScriptReplacePage(QWidget* page) {
  auto* settings = Named(new QGroupBox(tr("Settings"), page), "grpP1Settings");
  geometry_->Place(settings, QRect(0, 0, 237, 171));
  const auto label = [settings](const char* name, const QString& caption, QRect bounds) {
    auto* l = Named(new QLabel(caption, settings), name);
    l->setAlignment(Qt::AlignCenter);
    l->setGeometry(bounds);
    return l;
  };
  label("lblP1SearchMode", tr("Search"), QRect(7, 16, 48, 13))
      ->setToolTip(tr("How event lines are compared with the Search block"));
  label("lblP1ReplaceMode", tr("Replace"), QRect(54, 16, 48, 13))
      ->setToolTip(tr("What the Replace block puts in place of each occurrence"));

  QFrame* searchPanel = FlatPanel(settings, "pnlP1SearchMode", QRect(7, 31, 48, 92));
  QFrame* replacePanel = FlatPanel(settings, "pnlP1ReplaceMode", QRect(54, 31, 48, 92));
  QFrame* labelPanel = FlatPanel(settings, "pnlP1ModeLabels", QRect(101, 31, 128, 92));
  const QString captions[] = {
      {}, tr("None"), tr("Text only"), tr("Text and format"), tr("Timing shift"), tr("Full match")};
  // The longest names fit their designed width only slightly narrowed.
  QFont labelFont = page->font();
  labelFont.setStretch(90);
  for (int row = 1; row <= 5; ++row) {
    const int top = 4 + 16 * (row - 1);
    const QByteArray n = QByteArray::number(row);
    rbnP1SearchMode_[row] =
        Radio(searchPanel, ("rbnP1SearchMode" + n).constData(), {}, QRect(16, top, 15, 17));
    rbnP1ReplaceMode_[row] =
        Radio(replacePanel, ("rbnP1ReplaceMode" + n).constData(), {}, QRect(15, top, 15, 17));
    lblP1Mode_[row] = Named(new QLabel(captions[row], labelPanel), ("lblP1Mode" + n).constData());
    lblP1Mode_[row]->setGeometry(6, top + 1, 116, 13);
    lblP1Mode_[row]->setFont(labelFont);
    lblP1Mode_[row]->installEventFilter(this);
  }
  // Modes 1 and 4 have no search: their radios are hidden and disabled.
  for (int row : {1, 4}) {
    rbnP1SearchMode_[row]->setEnabled(false);
    rbnP1SearchMode_[row]->hide();
  }
  rbnP1SearchMode_[5]->setChecked(true);
  rbnP1ReplaceMode_[5]->setChecked(true);

  auto* advanced = Named(new QPushButton(tr("More..."), settings), "btnP1Advanced");
  advanced->setGeometry(123, 124, 106, 21);
  advanced->setEnabled(false);
  advanced->setToolTip(NotYet());
  auto* exclude = Named(new QPushButton(tr("Exclusions..."), settings), "btnP1Exclude");
  exclude->setGeometry(123, 145, 106, 21);
  exclude->setEnabled(false);
  exclude->setToolTip(NotYet());

  grpP1Edit1_ = Named(new QGroupBox(tr("Search"), page), "grpP1Edit1");
  // Below the file list the editor boxes keep their height and follow the bottom edge.
  geometry_->Place(grpP1Edit1_, QRect(0, 177, 349, 109), kAnchorLeft | kAnchorBottom);
  P1Edit1_ = AddEditor(grpP1Edit1_, "P1Edit1");
  grpP1Edit2_ = Named(new QGroupBox(tr("Replace"), page), "grpP1Edit2");
  geometry_->Place(grpP1Edit2_, QRect(355, 177, 349, 109), kAnchorRightBottom);
  P1Edit2_ = AddEditor(grpP1Edit2_, "P1Edit2");

  btnP1Preview_ = AddBottomButton(page, "btnP1Preview", tr("Preview..."), 385);
  btnP1Search_ = AddBottomButton(page, "btnP1Search", tr("Search", "button"), 466);
  btnP1Execute_ = AddBottomButton(page, "btnP1Execute", tr("Replace", "button"), 547);
  AddExitButton(page, "btnP1Exit");
}

void TMainForm::BuildTimingShiftPage(QWidget* page) {
  auto* shift = Named(new QGroupBox(tr("Shift by"), page), "grpP2Shift");
  geometry_->Place(shift, QRect(0, 0, 237, 52));
  edP2Shift_ = Named(new ShiftAmountEdit(shift), "edP2Shift");
  edP2Shift_->setGeometry(8, 19, 80, 21);
  edP2Shift_->setFont(QFont(QStringLiteral("Verdana"), 8));
  spinP2Shift_ = Named(new SpinButton(shift), "spinP2Shift");
  spinP2Shift_->setGeometry(88, 19, 15, 20);
  spinP2Shift_->SetFocusWidget(edP2Shift_);
  rbnP2ShiftMode2_ = Radio(shift, "rbnP2ShiftMode2", tr("Backward"), QRect(109, 13, 84, 17));
  rbnP2ShiftMode1_ = Radio(shift, "rbnP2ShiftMode1", tr("Forward"), QRect(109, 29, 84, 17));
  rbnP2ShiftMode1_->setChecked(true);
  btnP2ShiftClear_ = Named(new QToolButton(shift), "btnP2ShiftClear");
  btnP2ShiftClear_->setGeometry(208, 19, 20, 20);
  btnP2ShiftClear_->setAutoRaise(true);
  btnP2ShiftClear_->setIcon(style()->standardIcon(QStyle::SP_LineEditClearButton));
  btnP2ShiftClear_->setFocusPolicy(Qt::NoFocus);
  const QString hint = tr(
      "±1 msec: Up/Down\n±1 sec: Shift+Up/Down\n±1 min: Ctrl+Up/Down\n±1 hour: Ctrl+Shift+Up/Down");
  edP2Shift_->setToolTip(hint + QStringLiteral("\n") +
                         tr("Paste an amount: 1.5, 1:30 or 1m30s; a minus sign moves back"));
  spinP2Shift_->setToolTip(hint);
  spinP2Shift_->UpButton()->setToolTip(hint);
  spinP2Shift_->DownButton()->setToolTip(hint);

  auto* affect = Named(new QGroupBox(tr("Affect"), page), "grpP2AffectMode");
  geometry_->Place(affect, QRect(0, 58, 237, 113));
  rbnP2AffectMode_[1] =
      Radio(affect, "rbnP2AffectMode1", tr("All Files, All Rows"), QRect(8, 16, 222, 17));
  rbnP2AffectMode_[2] = Radio(affect, "rbnP2AffectMode2", tr("All Rows"), QRect(8, 32, 222, 17));
  rbnP2AffectMode_[3] = Radio(affect, "rbnP2AffectMode3", tr("Rows Before"), QRect(8, 52, 222, 17));
  rbnP2AffectMode_[4] = Radio(affect, "rbnP2AffectMode4", tr("Rows After"), QRect(8, 68, 222, 17));
  rbnP2AffectMode_[1]->setChecked(true);
  rbnP2AffectModeEx1_ =
      Named(new QCheckBox(tr("Include Search Block"), affect), "rbnP2AffectModeEx1");
  rbnP2AffectModeEx1_->setGeometry(8, 88, 222, 17);
  rbnP2AffectModeEx1_->setEnabled(false);

  auto* times = Named(new QGroupBox(tr("Times"), page), "grpP2TimesMode");
  geometry_->Place(times, QRect(0, 177, 237, 72));
  rbnP2TimesMode_[1] =
      Radio(times, "rbnP2TimesMode1", tr("Start/End Times"), QRect(8, 16, 119, 17));
  rbnP2TimesMode_[2] =
      Radio(times, "rbnP2TimesMode2", tr("Start Times Only"), QRect(8, 32, 119, 17));
  rbnP2TimesMode_[3] = Radio(times, "rbnP2TimesMode3", tr("End Times Only"), QRect(8, 48, 119, 17));
  rbnP2TimesMode_[1]->setChecked(true);

  auto* search = Named(new QGroupBox(tr("Search"), page), "grpP2Search");
  geometry_->Place(search, QRect(0, 255, 237, 46));
  auto* settings = Named(new QPushButton(tr("Settings..."), search), "btnP2SearchSettings");
  settings->setGeometry(8, 16, 106, 21);
  connect(settings, &QPushButton::clicked, this, &TMainForm::btnP2SearchSettingsClick);

  auto* editBox = Named(new QGroupBox(tr("Search"), page), "grpP2Edit1");
  geometry_->Place(editBox, QRect(243, 177, 461, 109), kAnchorLeft | kAnchorRight | kAnchorBottom);
  P2Edit1_ = AddEditor(editBox, "P2Edit1");

  btnP2Preview_ = AddBottomButton(page, "btnP2Preview", tr("Preview..."), 385);
  btnP2Search_ = AddBottomButton(page, "btnP2Search", tr("Search", "button"), 466);
  btnP2Execute_ = AddBottomButton(page, "btnP2Execute", tr("Shift Times", "button"), 547);
  AddExitButton(page, "btnP2Exit");
}

void TMainForm::BuildAdvancedSettingsPage(QWidget* page) {
  auto* search = Named(new QGroupBox(tr("Search Mode"), page), "grpSearchMode");
  geometry_->Place(search, QRect(0, 0, 237, 89));
  rbnSearchMode_[2] = Radio(search, "rbnSearchMode2", tr("Text only"), QRect(8, 16, 223, 17));
  rbnSearchMode_[3] = Radio(search, "rbnSearchMode3", tr("Text and format"), QRect(8, 32, 223, 17));
  rbnSearchMode_[4] =
      Radio(search, "rbnSearchMode4", tr("Full match (with offset)"), QRect(8, 48, 223, 17));
  rbnSearchMode_[5] = Radio(search, "rbnSearchMode5", tr("Full match"), QRect(8, 64, 223, 17));
  rbnSearchMode_[4]->setEnabled(false);
  QFont narrow = rbnSearchMode_[4]->font();
  narrow.setStretch(87);  // the longest caption fits its designed width only narrowed
  rbnSearchMode_[4]->setFont(narrow);
  rbnSearchMode_[5]->setChecked(true);

  // Fixed at their first choice: a run always works on the "[Events]" section and sorts nothing.
  const auto fixedGroup = [page, this](
                              const char* name, const QString& caption, int top,
                              std::initializer_list<std::pair<const char*, const char*>> radios) {
    auto* box = Named(new QGroupBox(caption, page), name);
    geometry_->Place(box, QRect(0, top, 237, 89));
    int radioTop = 16;
    bool first = true;
    for (const auto& [radioName, radioCaption] : radios) {
      QRadioButton* radio = Radio(box, radioName, tr(radioCaption), QRect(8, radioTop, 223, 17));
      radio->setChecked(first);
      radio->setEnabled(first);
      radio->setToolTip(first ? tr("Runs always work this way; the other choices are not "
                                   "available yet")
                              : NotYet());
      first = false;
      radioTop += 16;
    }
  };
  fixedGroup("GroupBox9", tr("Search Section"), 95,
             {{"RadioButton3", QT_TR_NOOP("Event")},
              {"RadioButton15", QT_TR_NOOP("Style")},
              {"RadioButton16", QT_TR_NOOP("Header")},
              {"RadioButton17", QT_TR_NOOP("No restriction")}});
  fixedGroup("GroupBox10", tr("File Preprocessing"), 190,
             {{"RadioButton18", QT_TR_NOOP("None")},
              {"RadioButton19", QT_TR_NOOP("Sort by time")},
              {"RadioButton20", QT_TR_NOOP("Sort by style")},
              {"RadioButton21", QT_TR_NOOP("Sort by actor")}});

  btnP4OK_ = AddBottomButton(page, "btnP4OK", tr("OK"), 547);
  btnP4OK_->setDefault(true);
  connect(btnP4OK_, &QPushButton::clicked, this, &TMainForm::btnP4OKClick);
  AddExitButton(page, "btnP4Exit");
}

}  // namespace nosk::ui
