// The engine's messages in the window's language.
#pragma once

#include <QString>

#include "script/message.h"

namespace nosk::ui {

// The message's sentence translated by its id, its holes filled with its parts: paths as the
// command line quotes them, numbers in digits, nested messages and the cause translated in turn.
// The system's words are translated where the catalogue lists them.
QString Translated(const script::Message& message);

}  // namespace nosk::ui
