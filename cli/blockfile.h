// Block files: the lines a Search or Replace editor would hold, read from a file or stdin.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "script/outcome.h"

namespace nosk::cli {

// Reads a block file ("-" for standard input) into the lines an editor would hold: a leading
// UTF-8 mark is ignored. Fails when the file cannot be read or is not UTF-8 text.
script::Outcome ReadBlockFile(const std::string& name, std::vector<std::string>& lines);

}  // namespace nosk::cli
