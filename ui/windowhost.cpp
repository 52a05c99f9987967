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
  Paint(false);
}

void WindowHost::EndProgress() {
  statusBar_.SetStatusText({});
  position_ = 0;
  statusBar_.ProgressBar()->setValue(0);
  statusBar_.ProgressBar()->hide();
  // Each phase of each script ends its progress: the event loop paints the last one when the
  // run is over.
  Paint(false);
}

void WindowHost::SetProgressPosition(int position) {
  // The bar ignores values out of its range rather than clamping them; and it repaints itself
  // at once on a new value, so it gets one only when the window is painted.
  position_ = std::min(position, 99);
  Paint(false);
}

void WindowHost::Repaint() { Paint(false); }

void WindowHost::ShowNotice(const script::Message& text) {
  SetStatusText(text);
  Paint(true);
}

void WindowHost::Paint(bool now) {
  constexpr qint64 kPaintEvery = 50;  // milliseconds
  if (!now && sincePaint_.isValid() && sincePaint_.elapsed() < kPaintEvery) return;
  QProgressBar* bar = statusBar_.ProgressBar();
  if (bar->isVisible() && bar->value() != position_) bar->setValue(position_);
  if (window_.isVisible()) window_.repaint();
  sincePaint_.start();
}

}  // namespace nosk::ui
