// The page "Advanced Settings": how lines are compared with the Search block, which lines it is
// looked for among, the order the event lines are put in first, and the code page of scripts
// without a mark.
#pragma once

#include <array>

#include "ui/radiochoices.h"
#include "ui/windowpage.h"

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QPushButton;

namespace nosk::ui {

class AnchoredGeometry;

class AdvancedSettingsPage : public WindowPage {
  Q_OBJECT

 public:
  AdvancedSettingsPage(AnchoredGeometry& geometry, QWidget* parent = nullptr);

  bool ReadSettings(engine::BatchSettings& settings, bool execute) const override;
  void SaveSettings(QSettings& settings) const override;
  void RestoreSettings(const QSettings& settings) override;

  // Checks a search mode, as its twin on "Script Replace" was checked.
  void SetSearchMode(engine::Matching mode);
  // What a search mode compares, for its radios here and on "Script Replace".
  static QString SearchModeHint(engine::Matching mode);
  // "OK" is the page's default and cancel button: Escape, and Enter where no other button has
  // the focus, press it. Whether the key was one of them.
  bool PressOkByKey(QKeyEvent* event);

 signals:
  void SearchModeChosen(engine::Matching mode);
  // The lines "Script Replace" works among: there only some replace modes fit the others.
  void SectionChosen(engine::Section section);
  void OkClicked();

 private:
  RadioChoices<engine::Matching> searchModes_;
  RadioChoices<engine::Section> sections_;
  QCheckBox* chkP4AddMissing_;
  RadioChoices<engine::SortOrder> sorts_;
  QComboBox* cmbP4CodePage_;  // "Detect" (no data), then the code pages
  QPushButton* btnP4OK_;
};

}  // namespace nosk::ui
