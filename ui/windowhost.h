// The window as the host of a run: status text, progress, repaints, notes.
#pragma once

#include <QElapsedTimer>
#include <QString>

#include "engine/host.h"

class QWidget;

namespace nosk::ui {

class PanelStatusBar;

// The status text and progress bar are the status bar's. The event loop does not run during a
// run, so the window is painted from here: about every 50 ms while the run goes (painting at
// every phase of every script cost a run of 300 scripts eleven seconds), at once for a note
// that must be seen, and by the event loop when the run is over. The status text and the bar
// are given to the status bar when the window is painted (and when a phase ends what a paint
// showed), not at every phase. A paint paints what changed (the status text, the bar); the
// whole window, which takes some milliseconds, only every half second, for what another window
// passing over it may have left.
class WindowHost : public engine::Host {
 public:
  WindowHost(QWidget& window, PanelStatusBar& statusBar) : window_(window), statusBar_(statusBar) {}

  void SetStatusText(const script::Message& text) override;
  void BeginProgress() override;
  void EndProgress() override;
  void SetProgressPosition(int position) override;
  void Repaint() override;
  // In the status bar, painted at once.
  void ShowNotice(const script::Message& text) override;

 private:
  // Paints the window when `now`, or when 50 ms have passed since it was last painted.
  void Paint(bool now);
  // Gives the status bar the text, the bar and its position of the run.
  void Show();

  QWidget& window_;
  PanelStatusBar& statusBar_;
  QElapsedTimer sincePaint_;
  QElapsedTimer sinceWholePaint_;
  // The run's progress and status text, given to the status bar by Show.
  int position_ = 0;
  bool progressing_ = false;
  script::Message text_;
  script::Message shownText_;
  QString shownString_;  // the status bar's text as Show left it
};

}  // namespace nosk::ui
