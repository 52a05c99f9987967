// The page "Advanced Settings": how event lines are compared with the Search block, and the
// choices that are fixed in this version.
#pragma once

#include <array>

#include "ui/radiochoices.h"
#include "ui/windowpage.h"

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
  void OkClicked();

 private:
  RadioChoices<engine::Matching> searchModes_;
  QComboBox* cmbP4CodePage_;  // "Detect" (no data), then the code pages
  QPushButton* btnP4OK_;
};

}  // namespace nosk::ui
