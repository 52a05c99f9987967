// The window as the host of a run: status text, progress, repaints, notes.
#pragma once

#include "engine/host.h"

class QWidget;

namespace nosk::ui {

class PanelStatusBar;

// The status text and progress bar are the status bar's; the event loop does not run during a
// run, so what changes is painted at once.
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
  QWidget& window_;
  PanelStatusBar& statusBar_;
};

}  // namespace nosk::ui
