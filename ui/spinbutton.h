// A pair of arrow buttons, up and down, that repeat while held.
#pragma once

#include <QWidget>

class QToolButton;

namespace nosk::ui {

// Holding an arrow repeats its click after 400 ms, then every 100 ms. The buttons never take the
// keyboard focus; a press hands it to the focus widget instead, when that can take it.
class SpinButton : public QWidget {
  Q_OBJECT

 public:
  explicit SpinButton(QWidget* parent);
  void SetFocusWidget(QWidget* widget) { focusWidget_ = widget; }
  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }

 signals:
  void UpClicked();
  void DownClicked();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QToolButton* MakeArrow(Qt::ArrowType arrow);

  QToolButton* up_;
  QToolButton* down_;
  QWidget* focusWidget_ = nullptr;
};

}  // namespace nosk::ui
