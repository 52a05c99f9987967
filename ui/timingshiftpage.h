// The page "Timing Shift": the amount and its direction, which event lines and which times move,
// the Search block that divides a script, and its runs.
#pragma once

#include "ui/radiochoices.h"
#include "ui/windowpage.h"

class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace nosk::ui {

class AnchoredGeometry;
class DesktopServices;
class ShiftAmountEdit;
class SpinButton;

class TimingShiftPage : public RunPage {
  Q_OBJECT

 public:
  TimingShiftPage(AnchoredGeometry& geometry, DesktopServices& desktop, QWidget* parent = nullptr);

  bool ReadSettings(engine::BatchSettings& settings, bool execute) const override;
  void Redraw(bool listed) override;
  void SaveSettings(QSettings& settings) const override;
  void RestoreSettings(const QSettings& settings) override;
  engine::RunRequest Request(const engine::BatchSettings& settings,
                             engine::RunMode mode) const override;
  QString RunName() const override;

 signals:
  // "Settings...": the search mode is chosen on "Advanced Settings".
  void SearchSettingsClicked();

 private:
  // The radios of the group "Affect"; "Include Search Block" qualifies the two "Rows" ones.
  enum class Rows { AllFiles, All, Before, After };

  ShiftAmountEdit* edP2Shift_;
  SpinButton* spinP2Shift_;
  QToolButton* btnP2ShiftClear_;
  QRadioButton* rbnP2ShiftMode1_;
  QRadioButton* rbnP2ShiftMode2_;
  RadioChoices<Rows> affectModes_;
  QCheckBox* rbnP2AffectModeEx1_;
  RadioChoices<engine::Times> timesModes_;
  QPlainTextEdit* P2Edit1_;
  QPushButton* btnP2Exclude_;
  QPushButton* btnP2Preview_;
  QPushButton* btnP2Search_;
  QPushButton* btnP2Execute_;
};

}  // namespace nosk::ui
