#include "ui/windowhost.h"

#include <QProgressBar>
#include <QString>
#include <QWidget>

#include "ui/messagetext.h"
#include "ui/statusbar.h"

namespace nosk::ui {

void WindowHost::SetStatusText(const script::Message& text) {
  statusBar_.SetStatusText(Translated(text));
}

void WindowHost::BeginProgress() {
  statusBar_.SetStatusText({});
  statusBar_.ProgressBar()->show();
}

void WindowHost::EndProgress() {
  statusBar_.SetStatusText({});
  statusBar_.ProgressBar()->setValue(0);
  statusBar_.ProgressBar()->hide();
}

void WindowHost::SetProgressPosition(int position) {
  // The bar ignores values out of its range rather than clamping them.
  statusBar_.ProgressBar()->setValue(std::min(position, 99));
  if (statusBar_.ProgressBar()->isVisible()) statusBar_.ProgressBar()->repaint();
}

void WindowHost::Repaint() {
  if (window_.isVisible()) window_.repaint();
}

void WindowHost::ShowNotice(const script::Message& text) {
  SetStatusText(text);
  Repaint();
}

}  // namespace nosk::ui
