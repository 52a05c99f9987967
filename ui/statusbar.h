// The window's status bar: the status text, the progress bar and the INS and CAPS indicators.
#pragma once

#include <QStatusBar>
#include <array>

class QProgressBar;

namespace nosk::ui {

// Five panels: 0 the status text, 1 the progress bar, 2 "INS", 3 "CAPS", 4 the space under the
// size grip. Panel 0 takes what the others leave of the window's outer width.
class PanelStatusBar : public QStatusBar {
  Q_OBJECT

 public:
  static constexpr int kPanelCount = 5;

  explicit PanelStatusBar(QWidget* window);

  QString StatusText() const { return statusText_; }
  // How many scripts the file list holds and how many of them are checked, shown in the
  // progress bar's panel while no run goes.
  void SetCounts(int listed, int checked);
  QString CountsText() const { return countsText_; }
  void SetStatusText(const QString& text);
  QProgressBar* ProgressBar() const { return progressBar_; }
  // The indicators; the bar is repainted when one changes.
  void SetIndicators(bool insertOn, bool capsLockOn);
  bool CapsLockShown() const { return capsLockOn_; }
  int PanelWidth(int panel) const { return widths_[static_cast<std::size_t>(panel)]; }
  // The rectangle of a panel in the bar.
  QRect PanelRect(int panel) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Panel 4 24 pixels, panels 3 and 2 their text + 12, panel 1 150; panel 0 the rest of the
  // window's outer width. The progress bar covers panel 1 and one pixel beyond each edge.
  void UpdatePanelWidths();

  QWidget* window_;
  QProgressBar* progressBar_;
  QString statusText_;
  QString countsText_;
  bool insertOn_ = false;
  bool capsLockOn_ = false;
  std::array<int, kPanelCount> widths_ = {481, 150, 28, 37, 24};
};

}  // namespace nosk::ui
