// "Exclusions": the styles and actors a run of "Script Replace" or "Timing Shift" sees, and
// whether it sees Comment: lines.
#pragma once

#include <QDialog>
#include <QSettings>
#include <QStringList>
#include <string>
#include <vector>

#include "engine/runrequest.h"

class QCheckBox;
class QListWidget;
class QRadioButton;

namespace nosk::ui {

// The choice the dialog makes, kept with the settings: the checked names, and whether the run
// sees only them or all but them.
struct ExclusionChoice {
  bool onlyChecked = false;
  QStringList styles;
  QStringList actors;
  bool skipComments = false;

  engine::EventFilter Filter() const;
  void Save(QSettings& settings) const;
  void Restore(const QSettings& settings);
};

// The hint of the pages' "Exclusions..." buttons.
QString ExclusionsButtonHint();

class ExclusionsDialog : public QDialog {
  Q_OBJECT

 public:
  // Lists `styles` and `actors` (those used in the listed scripts) with the choice's names,
  // each checked as the choice has it.
  ExclusionsDialog(const ExclusionChoice& choice, const std::vector<std::string>& styles,
                   const std::vector<std::string>& actors, QWidget* parent);

  ExclusionChoice Choice() const;

 private:
  QListWidget* lstExclusionStyles_;
  QListWidget* lstExclusionActors_;
  QRadioButton* rbnExclusionsOnly_;
  QRadioButton* rbnExclusionsAllBut_;
  QCheckBox* chkExclusionsSkipComments_;
};

}  // namespace nosk::ui
