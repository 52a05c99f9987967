// Block files: the lines a Search or Replace editor would hold, read from a file or stdin.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "script/outcome.h"

namespace nosk::cli {

// The lines of a block's text: UTF-8, a leading UTF-8 mark ignored, split at LF with a CR before
// it removed. A final LF ends the last line rather than starting another.
std::vector<std::string> SplitBlockLines(std::string_view text);

// Reads a block file ("-" for standard input) into its lines. Fails when the file cannot be read
// or is not UTF-8 text.
script::Outcome ReadBlockFile(const std::string& name, std::vector<std::string>& lines);

}  // namespace nosk::cli
