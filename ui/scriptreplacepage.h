// The page "Script Replace": the Search and Replace blocks, the search and replace modes, and
// its runs.
#pragma once

#include <array>

#include "ui/radiochoices.h"
#include "ui/windowpage.h"

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace nosk::ui {

class AnchoredGeometry;

class ScriptReplacePage : public RunPage {
  Q_OBJECT

 public:
  ScriptReplacePage(AnchoredGeometry& geometry, QWidget* parent = nullptr);

  bool ReadSettings(engine::BatchSettings& settings, bool execute) const override;
  void Redraw(bool listed) override;
  void SaveSettings(QSettings& settings) const override;
  void RestoreSettings(const QSettings& settings) override;
  engine::RunRequest Request(const engine::BatchSettings& settings,
                             engine::RunMode mode) const override;
  QString RunName() const override;

  // Checks the search mode the page "Advanced Settings" chose: the two always agree.
  void SetSearchMode(engine::Matching mode);
  // Enables the replace modes that fit the lines "Advanced Settings" chose to search among.
  void SetSection(engine::Section section);
  // The Search and Replace boxes share the page control's width.
  void LayOutEditorBoxes(int pageControlWidth);

 signals:
  void SearchModeChosen(engine::Matching mode);
  // "More...": the rest of the settings are on "Advanced Settings".
  void MoreClicked();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A left press on a mode's name picks its search mode, a right press its replace mode.
  void ModeLabelPressed(int row, Qt::MouseButton button);

  std::array<QRadioButton*, 6> rbnP1SearchMode_{};   // 1..5
  std::array<QRadioButton*, 6> rbnP1ReplaceMode_{};  // 1..5
  std::array<QLabel*, 6> lblP1Mode_{};               // 1..5
  RadioChoices<engine::Matching> searchModes_;
  RadioChoices<engine::Replacement> replaceModes_;
  QGroupBox* grpP1Edit1_;
  QGroupBox* grpP1Edit2_;
  QPlainTextEdit* P1Edit1_;
  QPlainTextEdit* P1Edit2_;
  QPushButton* btnP1Exclude_;
  QPushButton* btnP1Preview_;
  QPushButton* btnP1Search_;
  QPushButton* btnP1Execute_;
};

}  // namespace nosk::ui
