// The size a dialog of the window opens at.
#pragma once

#include <QSize>

class QWidget;

namespace nosk::ui {

// Gives `dialog` the size it wants, or as much of the free area of the screen it opens on as
// there is (never below its layout's minimum): a small screen at a large scale still shows its
// buttons.
void SizeToScreen(QWidget& dialog, QSize wanted);

}  // namespace nosk::ui
