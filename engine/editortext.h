// The lines of a Search or Replace editor, as a run reads them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nosk::engine {

// The text split at LF, a CR before the LF removed. A final LF ends the last line rather than
// starting another, so "a\nb\n" holds two lines.
std::vector<std::string> SplitEditorText(std::string_view text);

}  // namespace nosk::engine
