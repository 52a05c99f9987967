// What a run did, or would do, with one script of its file list.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/contenthash.h"
#include "engine/nearmiss.h"
#include "engine/scriptdiff.h"
#include "script/fileidentity.h"
#include "script/message.h"

namespace nosk::engine {

// Result codes: the entry was not processed, or the run failed for it. Any other value is the
// count the run reported for the script.
inline constexpr std::int32_t kNotProcessed = -2;
inline constexpr std::int32_t kFailed = -1;

struct ScriptResult {
  // A failure, with its reason.
  static ScriptResult Failure(script::Message reason, bool announce = false) {
    ScriptResult result;
    result.code = kFailed;
    result.reason = std::move(reason);
    result.announce = announce;
    return result;
  }
  // A count, with what to know besides, if anything.
  static ScriptResult Counted(std::int32_t count, script::Message reason = {}) {
    ScriptResult result;
    result.code = count;
    result.reason = std::move(reason);
    return result;
  }

  std::int32_t code = kNotProcessed;
  // Why, when the code is kFailed. With a count, what the user must know besides (other hard
  // links keep the previous content; another program's write is kept in the backup).
  script::Message reason;
  // The script could not be read, memory ran out on it, or another program's write to it is
  // kept only in its backup: what the user must be told at once, besides the Result cell.
  bool announce = false;

  // A preview's and a write's, for a script the run changes (or would change):
  script::FileIdentity identity;  // the file as it was read
  ContentHash newContent;         // the new content's check
  std::int32_t changedLines = 0;  // how many lines of the script the new content replaces
  std::vector<DiffHunk> changes;  // the changes as a diff, when the run was asked for them
  std::filesystem::path backup;   // a write's: where the previous version went
  // A timing-shift replacement's: how many of the lines it puts in end after the event line that
  // follows them starts.
  std::int32_t overlappingLines = 0;
  // Where the block came closest, for a script it was not found in, when the run was asked.
  std::optional<NearMiss> nearMiss;
};

}  // namespace nosk::engine
