// The delay before a tooltip shows, which the window shortens while it is active.
#pragma once

#include <QProxyStyle>

namespace nosk::ui {

class HintTimingStyle : public QProxyStyle {
  Q_OBJECT

 public:
  // The application's hint timing style, installed over its style on first use.
  static HintTimingStyle* Installed();

  int WakeUpDelay() const { return wakeUpDelay_; }
  void SetWakeUpDelay(int milliseconds) { wakeUpDelay_ = milliseconds; }

  int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                const QWidget* widget = nullptr,
                QStyleHintReturn* returnData = nullptr) const override;

 private:
  HintTimingStyle();
  int wakeUpDelay_;
};

}  // namespace nosk::ui
