// The new content of a script: lines outside the run's ranges as they were, event lines inside
// them replaced by the Replace block (Script Replace) or with their times shifted (Timing Shift).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/batchsettings.h"
#include "engine/rangelist.h"
#include "engine/searchblock.h"
#include "script/bytesink.h"
#include "script/host.h"
#include "script/progressphase.h"
#include "script/subtitlefile.h"

namespace nosk::engine {

// The line end of the script's first line, or CR LF when it has none: what a line rebuilt in
// place of a line without a line end (the last line of a file that does not end with one) takes.
std::string_view UsualLineEnd(const script::TSubtitleFile& script);

// The line end a line rebuilt in place of `line` takes: the line's own, so that a script keeps
// one kind of line end, or the script's usual one when the line has none.
std::string_view RebuiltLineEnd(std::string_view line, std::string_view usualLineEnd);

// What replaces one matched event line: `position` is its place in the occurrence (0 for the
// first), `length` the occurrence's number of lines. Items the occurrence has no line for are
// written after its last line (timing-shift and full-match modes only). In the timing-shift
// mode `blockOffset` is set, at the first line of each occurrence, to where the block goes.
// Every line written ends in `lineEnd`, the matched line's (RebuiltLineEnd).
void WriteReplacement(std::string& out, std::string_view line, std::string_view lineEnd,
                      const Block& replaceBlock, std::int32_t position, std::int32_t length,
                      Replacement mode, std::int32_t& blockOffset);

// One event line with its times moved as the times mode says, ending in `lineEnd`.
void WriteShiftedLine(std::string& out, std::string_view line, std::string_view lineEnd, Times mode,
                      std::int32_t shiftAmount);

// Learns, line by line, what the new content changes.
class ChangeObserver {
 public:
  virtual ~ChangeObserver() = default;
  // Line `line` of the script (0-based, `oldLine` with its line end) is replaced by `newText`:
  // no line (deleted), one, or several, each with its line end.
  virtual void Changed(std::int32_t line, std::string_view oldLine, std::string_view newText) = 0;
};

// Writes the whole new content of the script to `file`, advancing the phase's progress, and
// tells `changes`, when given, every line it changes. Lines that do not change are written as
// the slices of the file's bytes they are.
void WriteNewContent(script::ByteSink& file, const script::TSubtitleFile& script,
                     const RangeList& ranges, const Block& replaceBlock,
                     const BatchSettings& settings, script::ProgressPhase& phase,
                     ChangeObserver* changes = nullptr);

}  // namespace nosk::engine
