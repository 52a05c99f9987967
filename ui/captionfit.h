// Captions that fit the widths a window was designed with, in whatever language they are in.
#pragma once

class QWidget;

namespace nosk::ui {

// How many pixels a widget's caption lacks to show whole within the widget's width: 0 when it
// fits, or for a widget without a caption. Push buttons, radio buttons, check boxes, labels
// that do not wrap, and group box titles.
int CaptionShortfall(const QWidget& widget);

// Narrows the font of each caption under `root` that does not fit its fixed width, a step at a
// time, to as little as three quarters of its width. A translation may be longer than the text
// a width was chosen for; narrowing keeps the designed geometry and the whole caption.
void NarrowCaptionsToFit(QWidget& root);

}  // namespace nosk::ui
