#include "ui/windowhost.h"

#include <QCoreApplication>
#include <QEvent>
#include <QProgressBar>
#include <QString>
#include <QWidget>

#include "ui/messagetext.h"
#include "ui/statusbar.h"

namespace nosk::ui {

void WindowHost::SetStatusText(const script::Message& text) {
  text_ = text;
  Paint(false);
}

void WindowHost::BeginProgress() {
  text_ = {};
  progressing_ = true;
  Paint(false);
}

void WindowHost::EndProgress() {
  text_ = {};
  position_ = 0;
  progressing_ = false;
  // Each phase of each script ends its progress, most of them unseen: the bar and the text
  // change only when a paint showed them, and the event loop paints the last one when the run
  // is over.
  Show();
}

void WindowHost::SetProgressPosition(int position) {
  // The bar ignores values out of its range rather than clamping them.
  position_ = std::min(position, 99);
  Paint(false);
}

void WindowHost::Repaint() { Paint(false); }

void WindowHost::ShowNotice(const script::Message& text) {
  text_ = text;
  Paint(true);
}

void WindowHost::Show() {
  QProgressBar* bar = statusBar_.ProgressBar();
  if (bar->isVisible() != progressing_) bar->setVisible(progressing_);
  // The bar repaints itself at once on a new value.
  if (bar->value() != position_) bar->setValue(position_);
  // The window sets the status text too (a run's report): what it shows is compared.
  if (!(text_ == shownText_) || statusBar_.StatusText() != shownString_) {
    shownString_ = Translated(text_);
    shownText_ = text_;
    statusBar_.SetStatusText(shownString_);
  }
}

void WindowHost::Paint(bool now) {
  constexpr qint64 kPaintEvery = 50;  // milliseconds
  constexpr qint64 kWholeEvery = 500;
  // A long time without a paint is the time between two runs, when the event loop painted.
  constexpr qint64 kBetweenRuns = 1000;
  if (!now && sincePaint_.isValid() && sincePaint_.elapsed() < kPaintEvery) return;
  if (!sincePaint_.isValid() || sincePaint_.elapsed() > kBetweenRuns) sinceWholePaint_.start();
  Show();
  if (window_.isVisible()) {
    if (sinceWholePaint_.elapsed() >= kWholeEvery) {
      window_.repaint();
      sinceWholePaint_.start();
    } else {
      QCoreApplication::sendPostedEvents(&window_, QEvent::UpdateRequest);
    }
  }
  sincePaint_.start();
}

}  // namespace nosk::ui
