#include "ui/timingshiftpage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

#include "engine/editortext.h"
#include "ui/anchoredgeometry.h"
#include "ui/desktop.h"
#include "ui/exclusionsdialog.h"
#include "ui/pagewidgets.h"
#include "ui/shiftamountedit.h"
#include "ui/spinbutton.h"

namespace nosk::ui {

using engine::Affect;
using engine::Times;

TimingShiftPage::TimingShiftPage(AnchoredGeometry& geometry, DesktopServices& desktop,
                                 QWidget* parent)
    : RunPage(parent) {
  setObjectName(QStringLiteral("pg2"));
  resize(geometry.DesignedSize());
  auto* shift = Named(new QGroupBox(tr("Shift by"), this), "grpP2Shift");
  geometry.Place(shift, QRect(0, 0, 237, 52));
  edP2Shift_ = Named(new ShiftAmountEdit(shift), "edP2Shift");
  edP2Shift_->setGeometry(8, 19, 80, 21);
  edP2Shift_->setFont(QFont(QStringLiteral("Verdana"), 8));
  spinP2Shift_ = Named(new SpinButton(shift), "spinP2Shift");
  spinP2Shift_->setGeometry(88, 19, 15, 20);
  spinP2Shift_->SetFocusWidget(edP2Shift_);
  rbnP2ShiftMode2_ = Radio(shift, "rbnP2ShiftMode2", tr("Backward"), QRect(109, 13, 84, 17));
  rbnP2ShiftMode1_ = Radio(shift, "rbnP2ShiftMode1", tr("Forward"), QRect(109, 29, 84, 17));
  rbnP2ShiftMode1_->setChecked(true);
  rbnP2ShiftMode1_->setToolTip(tr("Move the times later"));
  rbnP2ShiftMode2_->setToolTip(tr("Move the times earlier"));
  btnP2ShiftClear_ = Named(new QToolButton(shift), "btnP2ShiftClear");
  btnP2ShiftClear_->setGeometry(208, 19, 20, 20);
  btnP2ShiftClear_->setAutoRaise(true);
  btnP2ShiftClear_->setIcon(style()->standardIcon(QStyle::SP_LineEditClearButton));
  btnP2ShiftClear_->setFocusPolicy(Qt::NoFocus);
  btnP2ShiftClear_->setToolTip(tr("Set the amount to zero"));
  const QString hint = tr(
      "±0.01 s: Up/Down\n±1 s: Shift+Up/Down\n±1 min: Ctrl+Up/Down\n±1 hour: Ctrl+Shift+Up/Down");
  edP2Shift_->setToolTip(hint + QStringLiteral("\n") +
                         tr("Paste an amount: 1.5, 1:30 or 1m30s; a minus sign moves back"));
  spinP2Shift_->setToolTip(hint);
  spinP2Shift_->UpButton()->setToolTip(hint);
  spinP2Shift_->DownButton()->setToolTip(hint);

  auto* affect = Named(new QGroupBox(tr("Affect"), this), "grpP2AffectMode");
  geometry.Place(affect, QRect(0, 58, 237, 113));
  const struct {
    const char* name;
    QString caption;
    int top;
    Rows rows;
    const char* setting;
    QString hint;
  } affectRadios[] = {
      {"rbnP2AffectMode1", tr("All Files, All Rows"), 16, Rows::AllFiles, "all-files",
       tr("Shift every event line of every checked script; the Search block is not used")},
      {"rbnP2AffectMode2", tr("All Rows"), 32, Rows::All, "all",
       tr("Shift every event line, in the scripts that hold the block")},
      {"rbnP2AffectMode3", tr("Rows Before"), 52, Rows::Before, "before",
       tr("Shift the lines before the block's first occurrence")},
      {"rbnP2AffectMode4", tr("Rows After"), 68, Rows::After, "after",
       tr("Shift the lines after the block's first occurrence")},
  };
  int number = 1;
  for (const auto& radio : affectRadios) {
    QRadioButton* button = Radio(affect, radio.name, radio.caption, QRect(8, radio.top, 222, 17));
    button->setToolTip(radio.hint);
    affectModes_.Add(button, radio.rows, radio.setting, number++);
    connect(button, &QRadioButton::toggled, this, [this](bool on) {
      if (on) emit Changed();
    });
  }
  affectModes_.RadioOf(Rows::AllFiles)->setChecked(true);
  rbnP2AffectModeEx1_ =
      Named(new QCheckBox(tr("Include Search Block"), affect), "rbnP2AffectModeEx1");
  rbnP2AffectModeEx1_->setGeometry(8, 88, 222, 17);
  rbnP2AffectModeEx1_->setEnabled(false);
  rbnP2AffectModeEx1_->setToolTip(
      tr("With Rows Before or Rows After: shift the occurrence's own lines too"));
  connect(rbnP2AffectModeEx1_, &QCheckBox::toggled, this, &TimingShiftPage::Changed);

  auto* times = Named(new QGroupBox(tr("Times"), this), "grpP2TimesMode");
  geometry.Place(times, QRect(0, 177, 237, 72));
  const struct {
    const char* name;
    QString caption;
    Times mode;
    const char* setting;
    QString hint;
  } timesRadios[] = {
      {"rbnP2TimesMode1", tr("Start/End Times"), Times::StartAndEnd, "both",
       tr("Move the Start and the End times")},
      {"rbnP2TimesMode2", tr("Start Times Only"), Times::StartOnly, "start",
       tr("Move the Start times only")},
      {"rbnP2TimesMode3", tr("End Times Only"), Times::EndOnly, "end",
       tr("Move the End times only")},
  };
  number = 1;
  for (const auto& radio : timesRadios) {
    QRadioButton* button = Radio(times, radio.name, radio.caption, QRect(8, 16 * number, 119, 17));
    button->setToolTip(radio.hint);
    timesModes_.Add(button, radio.mode, radio.setting, number++);
  }
  timesModes_.RadioOf(Times::StartAndEnd)->setChecked(true);

  auto* search = Named(new QGroupBox(tr("Search"), this), "grpP2Search");
  geometry.Place(search, QRect(0, 255, 237, 46));
  auto* settings = Named(new QPushButton(tr("Settings..."), search), "btnP2SearchSettings");
  settings->setGeometry(8, 16, 106, 21);
  settings->setToolTip(tr("Choose how lines are compared with the block"));
  connect(settings, &QPushButton::clicked, this, &TimingShiftPage::SearchSettingsClicked);
  auto* exclude = btnP2Exclude_ =
      Named(new QPushButton(tr("Exclusions..."), search), "btnP2Exclude");
  exclude->setGeometry(123, 16, 106, 21);
  exclude->setToolTip(ExclusionsButtonHint());
  connect(exclude, &QPushButton::clicked, this, &RunPage::ExclusionsClicked);

  auto* editBox = Named(new QGroupBox(tr("Search"), this), "grpP2Edit1");
  geometry.Place(editBox, QRect(243, 177, 461, 109), kAnchorLeft | kAnchorRight | kAnchorBottom);
  P2Edit1_ = AddEditor(editBox, "P2Edit1");
  P2Edit1_->setToolTip(
      tr("The block whose first occurrence divides each script; not used with "
         "All Files, All Rows"));

  btnP2Preview_ = AddBottomButton(geometry, this, "btnP2Preview", tr("&Preview..."), 385);
  btnP2Preview_->setToolTip(tr("See what Shift Times would change, and apply it from there"));
  btnP2Search_ = AddBottomButton(geometry, this, "btnP2Search", tr("&Search", "button"), 466);
  btnP2Search_->setToolTip(tr("Tell which checked scripts a shift would change"));
  btnP2Execute_ =
      AddBottomButton(geometry, this, "btnP2Execute", tr("Shift &Times", "button"), 547);
  btnP2Execute_->setToolTip(
      tr("Shift the times in every checked script; the previous versions go to Nosk_backup"));
  AddExitButton(geometry, this, "btnP2Exit");

  connect(edP2Shift_, &ShiftAmountEdit::AmountChanged, this, &TimingShiftPage::Changed);
  // A pasted "-1.5" is 1.5 seconds back, an unsigned amount forward.
  connect(edP2Shift_, &ShiftAmountEdit::AmountPasted, this, [this](bool backward) {
    (backward ? rbnP2ShiftMode2_ : rbnP2ShiftMode1_)->setChecked(true);
  });
  connect(edP2Shift_, &ShiftAmountEdit::AmountRefused, this, [this](const QString& text) {
    emit Notice(tr("%1 is not an amount: give 1.5, 90s, 1m30s or H:MM:SS.CC; the amount stays")
                    .arg(text.left(40)));
  });
  // The arrows step as the Up and Down keys do, by the modifiers held at the click.
  connect(spinP2Shift_, &SpinButton::UpClicked, this,
          [this, &desktop] { edP2Shift_->Step(1, desktop.HeldModifiers()); });
  connect(spinP2Shift_, &SpinButton::DownClicked, this,
          [this, &desktop] { edP2Shift_->Step(-1, desktop.HeldModifiers()); });
  connect(btnP2ShiftClear_, &QToolButton::clicked, edP2Shift_, &ShiftAmountEdit::Clear);
  connect(btnP2Search_, &QPushButton::clicked, this,
          [this] { emit RunClicked(engine::RunMode::Count); });
  connect(btnP2Execute_, &QPushButton::clicked, this,
          [this] { emit RunClicked(engine::RunMode::Write); });
  connect(btnP2Preview_, &QPushButton::clicked, this, &TimingShiftPage::PreviewClicked);
}

bool TimingShiftPage::ReadSettings(engine::BatchSettings& settings, bool execute) const {
  bool complete = true;
  const bool includeBlock = rbnP2AffectModeEx1_->isChecked();
  if (const std::optional<Rows> rows = affectModes_.Checked()) {
    switch (*rows) {
      case Rows::AllFiles:
        settings.AffectMode = Affect::AllFilesAllRows;
        break;
      case Rows::All:
        settings.AffectMode = Affect::AllRows;
        break;
      case Rows::Before:
        settings.AffectMode = includeBlock ? Affect::RowsBeforeAndBlock : Affect::RowsBefore;
        break;
      case Rows::After:
        settings.AffectMode = includeBlock ? Affect::RowsAfterAndBlock : Affect::RowsAfter;
        break;
    }
  } else {
    complete = false;
  }
  if (!execute) {
    settings.TimesMode = Times::None;
  } else if (const std::optional<Times> times = timesModes_.Checked()) {
    settings.TimesMode = *times;
  } else {
    complete = false;
  }
  return complete;
}

void TimingShiftPage::Redraw(bool listed) {
  btnP2Search_->setEnabled(listed);
  btnP2Exclude_->setEnabled(listed);
  btnP2Execute_->setEnabled(listed && edP2Shift_->text() != QStringLiteral("0:00:00.00"));
  btnP2Preview_->setEnabled(btnP2Execute_->isEnabled());
  P2Edit1_->setEnabled(!affectModes_.RadioOf(Rows::AllFiles)->isChecked());
  rbnP2AffectModeEx1_->setEnabled(affectModes_.RadioOf(Rows::Before)->isChecked() ||
                                  affectModes_.RadioOf(Rows::After)->isChecked());
}

void TimingShiftPage::SaveSettings(QSettings& settings) const {
  affectModes_.Save(settings, QStringLiteral("modes/affect"));
  settings.setValue("modes/includeBlock", rbnP2AffectModeEx1_->isChecked());
  timesModes_.Save(settings, QStringLiteral("modes/times"));
  settings.setValue("shift/amount", edP2Shift_->text());
  settings.setValue("shift/forward", rbnP2ShiftMode1_->isChecked());
  settings.setValue("editors/timingShiftSearch", P2Edit1_->toPlainText());
}

void TimingShiftPage::RestoreSettings(const QSettings& settings) {
  affectModes_.Restore(settings, QStringLiteral("modes/affect"));
  rbnP2AffectModeEx1_->setChecked(settings.value("modes/includeBlock", false).toBool());
  timesModes_.Restore(settings, QStringLiteral("modes/times"));
  // The amount's editor keeps only a valid time; anything else becomes zero there.
  edP2Shift_->setText(settings.value("shift/amount", edP2Shift_->text()).toString());
  (settings.value("shift/forward", true).toBool() ? rbnP2ShiftMode1_ : rbnP2ShiftMode2_)
      ->setChecked(true);
  P2Edit1_->setPlainText(settings.value("editors/timingShiftSearch").toString());
}

engine::RunRequest TimingShiftPage::Request(const engine::BatchSettings& settings,
                                            engine::RunMode mode) const {
  engine::EditorTexts editors;
  editors.SearchLines = engine::SplitEditorText(P2Edit1_->toPlainText().toStdString());
  editors.ShiftText = edP2Shift_->text().toStdString();
  editors.ShiftForward = rbnP2ShiftMode1_->isChecked();
  return engine::TimingShiftRequest(settings, editors, mode);
}

QString TimingShiftPage::RunName() const { return tr("Shift Times"); }

}  // namespace nosk::ui
