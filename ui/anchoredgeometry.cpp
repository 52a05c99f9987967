#include "ui/anchoredgeometry.h"

#include <QEvent>
#include <QWidget>

namespace nosk::ui {

AnchoredGeometry::AnchoredGeometry(QSize designedContainerSize, QObject* parent)
    : QObject(parent), designed_(designedContainerSize) {}

void AnchoredGeometry::Place(QWidget* widget, QRect designedBounds, int anchors) {
  placements_.insert(widget, {designedBounds, anchors});
  connect(widget, &QObject::destroyed, this, [this, widget] { placements_.remove(widget); });
  if (QWidget* container = widget->parentWidget()) {
    container->removeEventFilter(this);
    container->installEventFilter(this);
    Apply(container);
  }
}

void AnchoredGeometry::Apply(QWidget* container) {
  const int dx = container->width() - designed_.width();
  const int dy = container->height() - designed_.height();
  for (auto it = placements_.cbegin(); it != placements_.cend(); ++it) {
    QWidget* widget = it.key();
    if (widget->parentWidget() != container) continue;
    QRect bounds = it->designed;
    const int anchors = it->anchors;
    if ((anchors & kAnchorRight) && (anchors & kAnchorLeft)) {
      bounds.setWidth(bounds.width() + dx);
    } else if (anchors & kAnchorRight) {
      bounds.moveLeft(bounds.left() + dx);
    }
    if ((anchors & kAnchorBottom) && (anchors & kAnchorTop)) {
      bounds.setHeight(bounds.height() + dy);
    } else if (anchors & kAnchorBottom) {
      bounds.moveTop(bounds.top() + dy);
    }
    widget->setGeometry(bounds);
  }
  if (afterApply_) afterApply_(container);
}

void AnchoredGeometry::SetAfterApply(std::function<void(QWidget* container)> afterApply) {
  afterApply_ = std::move(afterApply);
}

bool AnchoredGeometry::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize) Apply(static_cast<QWidget*>(watched));
  return QObject::eventFilter(watched, event);
}

}  // namespace nosk::ui
