#include "ui/spinbutton.h"

#include <QToolButton>

namespace nosk::ui {

SpinButton::SpinButton(QWidget* parent)
    : QWidget(parent), up_(MakeArrow(Qt::UpArrow)), down_(MakeArrow(Qt::DownArrow)) {
  setFocusPolicy(Qt::NoFocus);
  connect(up_, &QToolButton::clicked, this, &SpinButton::UpClicked);
  connect(down_, &QToolButton::clicked, this, &SpinButton::DownClicked);
}

QToolButton* SpinButton::MakeArrow(Qt::ArrowType arrow) {
  auto* button = new QToolButton(this);
  button->setArrowType(arrow);
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoRepeat(true);
  button->setAutoRepeatDelay(400);
  button->setAutoRepeatInterval(100);
  connect(button, &QToolButton::pressed, this, [this] {
    if (focusWidget_ != nullptr && focusWidget_->isEnabled()) focusWidget_->setFocus();
  });
  return button;
}

void SpinButton::resizeEvent(QResizeEvent*) {
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

}  // namespace nosk::ui
