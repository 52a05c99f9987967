// What a run did with one script of its file list.
#pragma once

#include <cstdint>
#include <string>

namespace nosk::engine {

// Result codes: the entry was not processed, or the run failed for it. Any other value is the
// count the run reported for the script.
inline constexpr std::int32_t kNotProcessed = -2;
inline constexpr std::int32_t kFailed = -1;

struct ScriptResult {
  std::int32_t code = kNotProcessed;
  std::string reason;  // why, when the code is kFailed; empty otherwise
  // The script could not be read (or memory ran out on it): a failure the window tells at
  // once, in a message box titled "Error", besides the Result cell.
  bool announce = false;
};

}  // namespace nosk::engine
