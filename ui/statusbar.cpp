#include "ui/statusbar.h"

#include <QFontMetrics>
#include <QPainter>
#include <QProgressBar>
#include <QStyle>
#include <QStyleOption>

namespace nosk::ui {

PanelStatusBar::PanelStatusBar(QWidget* window)
    : QStatusBar(window), window_(window), progressBar_(new QProgressBar(this)) {
  setObjectName("MainStatusBar");
  setFixedHeight(19);
  setSizeGripEnabled(true);
  progressBar_->setObjectName("MainProgressBar");
  // 99, not 100: a position of 99 is a full bar, and 100 shows the same.
  progressBar_->setRange(0, 99);
  progressBar_->setTextVisible(false);
  progressBar_->hide();
}

void PanelStatusBar::SetStatusText(const QString& text) {
  if (text == statusText_) return;
  statusText_ = text;
  // A text longer than its panel shows whole in the tooltip.
  setToolTip(text);
  update(PanelRect(0));
}

void PanelStatusBar::SetCounts(int listed, int checked) {
  const QString text = listed == 0 ? QString() : tr("%1 of %2 checked").arg(checked).arg(listed);
  if (text == countsText_) return;
  countsText_ = text;
  update(PanelRect(1));
}

void PanelStatusBar::SetIndicators(bool insertOn, bool capsLockOn) {
  if (insertOn == insertOn_ && capsLockOn == capsLockOn_) return;
  insertOn_ = insertOn;
  capsLockOn_ = capsLockOn;
  repaint();
}

QRect PanelStatusBar::PanelRect(int panel) const {
  int left = 0;
  for (int i = 0; i < panel; ++i) left += widths_[static_cast<std::size_t>(i)];
  return QRect(left, 0, widths_[static_cast<std::size_t>(panel)], height());
}

void PanelStatusBar::UpdatePanelWidths() {
  const QFontMetrics metrics(font());
  widths_[4] = 24;
  widths_[3] = metrics.horizontalAdvance(QStringLiteral("CAPS")) + 12;
  widths_[2] = metrics.horizontalAdvance(QStringLiteral("INS")) + 12;
  widths_[1] = 150;
  widths_[0] = window_->frameGeometry().width() - widths_[1] - widths_[2] - widths_[3] - widths_[4];
  progressBar_->setGeometry(PanelRect(1).adjusted(-1, -1, 1, 1));
}

void PanelStatusBar::resizeEvent(QResizeEvent* event) {
  QStatusBar::resizeEvent(event);
  UpdatePanelWidths();
}

void PanelStatusBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().button());
  QStyleOptionFrame bevel;
  bevel.initFrom(this);
  bevel.lineWidth = 1;
  bevel.state |= QStyle::State_Sunken;
  for (int panel = 0; panel < 4; ++panel) {
    bevel.rect = PanelRect(panel).adjusted(0, 1, -2, -1);
    style()->drawPrimitive(QStyle::PE_Frame, &bevel, &painter, this);
  }
  painter.setPen(palette().buttonText().color());
  painter.drawText(PanelRect(0).adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
                   statusText_);
  if (!progressBar_->isVisible()) {
    painter.drawText(PanelRect(1).adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     countsText_);
  }
  const QColor grey(128, 128, 128);
  const auto drawIndicator = [&](int panel, bool on, const QString& text) {
    painter.setPen(on ? palette().buttonText().color() : grey);
    painter.drawText(PanelRect(panel).adjusted(4, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
  };
  drawIndicator(2, insertOn_, QStringLiteral("INS"));
  drawIndicator(3, capsLockOn_, QStringLiteral("CAPS"));
}

}  // namespace nosk::ui
