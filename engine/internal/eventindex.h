// The index of a script's event lines.
#pragma once

#include "engine/host.h"
#include "script/subtitlefile.h"

namespace nosk::engine {

// Fills the script's event index with the event lines (lenient test) of every section that
// a line beginning "[Events]" opens and a line beginning "[Fonts]" or the end of the script
// closes. Other section headers do not close one; a later "[Events]" opens another.
void IndexEvents(Host& host, script::TSubtitleFile& script);

}  // namespace nosk::engine
