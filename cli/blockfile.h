// Block files: the lines a Search or Replace editor would hold, read from a file or stdin.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nosk::cli {

// Whether a block file could be read, and why not, in the command line's words.
struct BlockFileReading {
  std::string error;
  bool ok() const { return error.empty(); }
};

// Reads a block file ("-" for standard input) into the lines an editor would hold: a leading
// UTF-8 mark is ignored. Fails when the file cannot be read or is not UTF-8 text.
BlockFileReading ReadBlockFile(const std::string& name, std::vector<std::string>& lines);

}  // namespace nosk::cli
