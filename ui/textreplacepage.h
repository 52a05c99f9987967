// The page "Text Replace": a text (or a pattern) found inside the Text of event lines, override
// tags left alone, counted or replaced, and its runs.
#pragma once

#include <vector>

#include "ui/windowpage.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace nosk::ui {

class AnchoredGeometry;

class TextReplacePage : public RunPage {
  Q_OBJECT

 public:
  TextReplacePage(AnchoredGeometry& geometry, QWidget* parent = nullptr);

  bool ReadSettings(engine::BatchSettings& settings, bool execute) const override;
  void Redraw(bool listed) override;
  void SaveSettings(QSettings& settings) const override;
  void RestoreSettings(const QSettings& settings) override;
  engine::RunRequest Request(const engine::BatchSettings& settings,
                             engine::RunMode mode) const override;
  QString RunName() const override;

 private:
  struct Option {
    QCheckBox* box;
    const char* setting;
  };
  QLineEdit* edP5Find_;
  QLineEdit* edP5With_;
  QCheckBox* chkP5Pattern_;
  QCheckBox* chkP5IgnoreCase_;
  QCheckBox* chkP5WholeWords_;
  QCheckBox* chkP5InsideTags_;
  QCheckBox* chkP5Comments_;
  std::vector<Option> options_;
  QPushButton* btnP5Exclude_;
  QPushButton* btnP5Preview_;
  QPushButton* btnP5Search_;
  QPushButton* btnP5Execute_;
};

}  // namespace nosk::ui
