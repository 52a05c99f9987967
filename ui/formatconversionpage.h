// The page "Format Conversion": which encoding scripts are read in, what they are written in,
// and their line ends.
#pragma once

#include "ui/radiochoices.h"
#include "ui/windowpage.h"

class QComboBox;
class QPushButton;

namespace nosk::ui {

class AnchoredGeometry;

class FormatConversionPage : public RunPage {
  Q_OBJECT

 public:
  FormatConversionPage(AnchoredGeometry& geometry, QWidget* parent = nullptr);

  bool ReadSettings(engine::BatchSettings& settings, bool execute) const override;
  void Redraw(bool listed) override;
  void SaveSettings(QSettings& settings) const override;
  void RestoreSettings(const QSettings& settings) override;
  engine::RunRequest Request(const engine::BatchSettings& settings,
                             engine::RunMode mode) const override;
  QString RunName() const override;

 private:
  QComboBox* cmbP3Source_;  // "Detect" (no data), then the code pages
  RadioChoices<engine::TargetEncoding> targets_;
  RadioChoices<engine::LineEnds> lineEnds_;
  QPushButton* btnP3Preview_;
  QPushButton* btnP3Execute_;
};

}  // namespace nosk::ui
