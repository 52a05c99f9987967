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
  // Why, when the code is kFailed. With a count, what the user must know besides (other hard
  // links keep the previous content; another program's write is kept in the backup).
  std::string reason;
  // The script could not be read, memory ran out on it, or another program's write to it is
  // kept only in its backup: what the window tells at once, in a message box titled "Error",
  // besides the Result cell.
  bool announce = false;
};

}  // namespace nosk::engine
