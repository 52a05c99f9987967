// What the window asks of each of its pages.
#pragma once

#include <QSettings>
#include <QString>
#include <QWidget>

#include "engine/batchsettings.h"
#include "engine/runrequest.h"

namespace nosk::ui {

// A page owns its controls, their enabling rules, their hints and their saved settings, and
// fills its part of the window's settings record.
class WindowPage : public QWidget {
  Q_OBJECT

 public:
  using QWidget::QWidget;

  // Its part of the record a run starts from: false when one of its groups has no checked
  // choice. A run that only counts (`execute` false) replaces nothing and moves no time.
  virtual bool ReadSettings(engine::BatchSettings& settings, bool execute) const = 0;
  // The enabling rules of its run buttons and inputs, with scripts listed or not.
  virtual void Redraw(bool listed) { (void)listed; }
  // What it remembers between starts: its choices by name, its texts.
  virtual void SaveSettings(QSettings& settings) const = 0;
  // What it remembered; a value it cannot use (a disabled choice, nonsense) is left out.
  virtual void RestoreSettings(const QSettings& settings) = 0;

 signals:
  // A choice or an input the enabling rules depend on changed.
  void Changed();
  // Something the status bar must say (an amount typed that is none).
  void Notice(const QString& text);
};

// A page with a run of its own.
class RunPage : public WindowPage {
  Q_OBJECT

 public:
  using WindowPage::WindowPage;

  // The request of its run, from the record filled by every page's ReadSettings.
  virtual engine::RunRequest Request(const engine::BatchSettings& settings,
                                     engine::RunMode mode) const = 0;
  // The name of its run, for its report and its preview: "Replace" ...
  virtual QString RunName() const = 0;

 signals:
  void RunClicked(engine::RunMode mode);
  void PreviewClicked();
  // "Exclusions...": the lines its run sees are chosen in a dialog.
  void ExclusionsClicked();
};

}  // namespace nosk::ui
