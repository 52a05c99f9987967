// The engine's texts (status texts, messages, reasons) in the window's language.
#pragma once

#include <QString>
#include <string_view>

namespace nosk::ui {

// The engine speaks English and knows nothing of translations: its texts are put together from
// a known set of sentences with paths, names and the system's words in them. This finds the
// sentence a text was made from, translates it, and puts the parts back, each translated in
// turn (a reason inside a reason). A text made from no known sentence stands as it is.
QString TranslatedEngineText(std::string_view english);

}  // namespace nosk::ui
