// What a run does, in words: for the run journal and the history.
#pragma once

#include <string>
#include <vector>

#include "engine/batchsettings.h"
#include "engine/searchblock.h"

namespace nosk::engine {

// One line: the page and what the run changes ("Shift Times +0:00:01.50: every script, start
// and end times").
std::string RunSummary(const BatchSettings& settings);
// The modes and the blocks as typed, a line each.
std::vector<std::string> RunDetails(const BatchSettings& settings, const Block& searchBlock,
                                    const Block& replaceBlock);

}  // namespace nosk::engine
