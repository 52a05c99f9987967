#include "ui/dialogsize.h"

#include <QRect>
#include <QScreen>
#include <QWidget>

namespace nosk::ui {

void SizeToScreen(QWidget& dialog, QSize wanted) {
  const QScreen* screen = dialog.screen();
  if (screen != nullptr) {
    // What the window manager's frame takes around the dialog, which is not known before it is
    // shown; the dialog then places itself within the screen's free area.
    const QSize frame(16, 48);
    wanted = wanted.boundedTo(screen->availableGeometry().size() - frame);
  }
  dialog.resize(wanted.expandedTo(dialog.minimumSizeHint()));
}

}  // namespace nosk::ui
