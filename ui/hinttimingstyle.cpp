#include "ui/hinttimingstyle.h"

#include <QApplication>

namespace nosk::ui {

HintTimingStyle::HintTimingStyle() : wakeUpDelay_(QProxyStyle::styleHint(SH_ToolTip_WakeUpDelay)) {}

HintTimingStyle* HintTimingStyle::Installed() {
  if (auto* installed = qobject_cast<HintTimingStyle*>(QApplication::style())) return installed;
  auto* style = new HintTimingStyle;
  QApplication::setStyle(style);  // the application owns it
  return style;
}

int HintTimingStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                               QStyleHintReturn* returnData) const {
  if (hint == SH_ToolTip_WakeUpDelay) return wakeUpDelay_;
  return QProxyStyle::styleHint(hint, option, widget, returnData);
}

}  // namespace nosk::ui
