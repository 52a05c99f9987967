// Bounds as the window was designed, kept as the window is resized.
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <functional>

class QWidget;

namespace nosk::ui {

enum Anchor {
  kAnchorLeft = 1,
  kAnchorTop = 2,
  kAnchorRight = 4,
  kAnchorBottom = 8,
  kAnchorLeftTop = kAnchorLeft | kAnchorTop,
};

// Places widgets at their designed bounds in containers designed at one size, and keeps each
// widget's distance to the edges it is anchored to as its container's size changes: anchored to
// left and right it stretches, to right alone it moves. A widget keeps its anchors when it moves
// to another container of the same design size.
class AnchoredGeometry : public QObject {
 public:
  explicit AnchoredGeometry(QSize designedContainerSize, QObject* parent = nullptr);

  // The size the containers were designed at: a new container starts at it.
  QSize DesignedSize() const { return designed_; }

  // Registers a widget with its designed bounds and anchors, and watches its container.
  void Place(QWidget* widget, QRect designedBounds, int anchors = kAnchorLeftTop);
  // Puts every registered child of the container where its anchors say, then calls the
  // function given to SetAfterApply.
  void Apply(QWidget* container);
  // What to do after each Apply: a layout anchors cannot express (two widgets sharing a width)
  // gets the last word there, whatever order the widgets were placed in.
  void SetAfterApply(std::function<void(QWidget* container)> afterApply);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Placement {
    QRect designed;
    int anchors;
  };
  QSize designed_;
  QHash<QWidget*, Placement> placements_;
  std::function<void(QWidget* container)> afterApply_;
};

}  // namespace nosk::ui
