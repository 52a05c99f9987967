#include "ui/captionfit.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QStyle>

namespace nosk::ui {
namespace {

constexpr int kNarrowest = 75;  // percent of the font's normal width

// The width a caption needs, or 0 for a widget without one.
int NeededWidth(const QWidget& widget) {
  const QFontMetrics metrics(widget.font());
  if (const auto* push = qobject_cast<const QPushButton*>(&widget)) {
    if (push->text().isEmpty()) return 0;
    QString text = push->text();
    text.remove(QLatin1Char('&'));
    // The frame on each side, and a pixel of air between it and the text.
    const int frame = push->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, push);
    return metrics.horizontalAdvance(text) + 2 * (frame + 1);
  }
  if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
    return button->text().isEmpty() ? 0 : button->sizeHint().width();
  }
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
    return label->text().isEmpty() || label->wordWrap() ? 0 : label->sizeHint().width();
  }
  if (const auto* group = qobject_cast<const QGroupBox*>(&widget)) {
    return group->title().isEmpty() ? 0 : metrics.horizontalAdvance(group->title());
  }
  return 0;
}

// Whether a widget keeps its width whatever its caption: placed by hand, or of a fixed size.
bool FixedWidth(const QWidget& widget) {
  const QWidget* parent = widget.parentWidget();
  return (parent != nullptr && parent->layout() == nullptr) ||
         widget.minimumWidth() == widget.maximumWidth();
}

}  // namespace

int CaptionShortfall(const QWidget& widget) {
  return std::max(0, NeededWidth(widget) - widget.width());
}

void NarrowCaptionsToFit(QWidget& root) {
  for (QWidget* widget : root.findChildren<QWidget*>()) {
    if (CaptionShortfall(*widget) == 0 || !FixedWidth(*widget)) continue;
    QFont font = widget->font();
    int stretch = font.stretch() == QFont::AnyStretch ? 100 : font.stretch();
    while (CaptionShortfall(*widget) > 0 && stretch > kNarrowest) {
      font.setStretch(--stretch);
      widget->setFont(font);
    }
  }
}

}  // namespace nosk::ui
