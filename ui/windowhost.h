// The window as the host of a run: status text, progress, repaints, messages.
#pragma once

#include "script/host.h"

class QWidget;

namespace nosk::ui {

class DesktopServices;
class PanelStatusBar;

// The status text and progress bar are the status bar's; the event loop does not run during a
// run, so what changes is painted at once.
class WindowHost : public script::Host {
 public:
  WindowHost(QWidget& window, PanelStatusBar& statusBar, DesktopServices& desktop)
      : window_(window), statusBar_(statusBar), desktop_(desktop) {}

  void SetStatusText(std::string_view text) override;
  void ClearStatusText() override;
  void BeginProgress() override;
  void EndProgress() override;
  void SetProgressPosition(int position) override;
  void Repaint() override;
  void ShowMessage(std::string_view title, std::string_view text) override;
  // In the status bar, painted at once.
  void ShowNotice(std::string_view text) override;

 private:
  QWidget& window_;
  PanelStatusBar& statusBar_;
  DesktopServices& desktop_;
};

}  // namespace nosk::ui
