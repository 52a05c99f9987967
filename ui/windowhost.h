// The window as the host of a run: status text, progress, repaints, notes.
#pragma once

#include <QElapsedTimer>

#include "engine/host.h"

class QWidget;

namespace nosk::ui {

class PanelStatusBar;

// The status text and progress bar are the status bar's. The event loop does not run during a
// run, so the window is painted from here: about every 50 ms while the run goes (painting at
// every phase of every script cost a run of 300 scripts eleven seconds), at once for a note
// that must be seen, and by the event loop when the run is over.
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

  QWidget& window_;
  PanelStatusBar& statusBar_;
  QElapsedTimer sincePaint_;
  int position_ = 0;  // the progress, given to the bar when the window is painted
};

}  // namespace nosk::ui
