// Where a block that was not found came closest.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/runrequest.h"
#include "script/subtitlefile.h"

namespace nosk::engine {

// The closest partial match of a block in a script that does not hold it: the most block lines
// that match in a row, where, and the first line after them that differs, compared as the search
// mode compares (the comparison forms, not the whole lines).
struct NearMiss {
  bool any = false;                 // false when the script has no event line
  std::int32_t matched = 0;         // block lines that match in a row
  std::int32_t blockLines = 0;      // the block's length
  std::int32_t firstLine = -1;      // the script line (0-based) the partial match starts at
  std::int32_t differingLine = -1;  // the script line that differs; -1 when the script ends
  std::int32_t differingItem = 0;   // the block line it differs from (0-based)
  std::string found;                // the differing line's comparison form
  std::string expected;             // the block line's
  std::size_t differenceStart = 0;  // the two differ from here ...
  std::size_t foundEnd = 0;         // ... to here in `found`
  std::size_t expectedEnd = 0;      // ... and to here in `expected`
  // A full match with offset: every line matches without its times from `firstLine` on, but the
  // block's inner timing differs from the script's. `differingLine` is the first line not at the
  // offset of the first, `expected` its block line moved by that offset.
  bool timingOnly = false;
};

// The closest partial match of the prepared block: the start with the most lines matching in a
// row, and among those, the one whose next line shares the longest beginning and end with the
// block's next line (a trailing space, one changed word). The first such start wins.
NearMiss FindNearMiss(const script::TSubtitleFile& script, const std::vector<std::string>& block,
                      Matching mode);

// The near miss in words for a terminal, ending with a line end: how much of the block matched
// where, then the block's line and the script's, with carets under where they differ. Line
// numbers count from 1.
std::string DescribeNearMiss(const NearMiss& miss);

}  // namespace nosk::engine
