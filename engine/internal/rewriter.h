// The new content of a script: lines outside the run's ranges as they were, each event line
// inside them rewritten by the run's kind of edit.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/internal/progressphase.h"
#include "engine/internal/rangelist.h"
#include "engine/internal/searchblock.h"
#include "engine/runrequest.h"
#include "engine/scriptdiff.h"
#include "script/bytesink.h"
#include "script/eventformat.h"
#include "script/message.h"
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
// The matched line and the items are in `format`.
void WriteReplacement(std::string& out, std::string_view line, std::string_view lineEnd,
                      const Block& replaceBlock, std::int32_t position, std::int32_t length,
                      Replacement mode, std::int32_t& blockOffset,
                      const script::EventFormat& format = script::EventFormat::Standard());

// One event line with its times moved as the times mode says, ending in `lineEnd`.
void WriteShiftedLine(std::string& out, std::string_view line, std::string_view lineEnd, Times mode,
                      std::int32_t shiftAmount,
                      const script::EventFormat& format = script::EventFormat::Standard());

// What a kind of edit does to each event line of the run's ranges.
class EventLineRewrite {
 public:
  virtual ~EventLineRewrite() = default;
  // Appends what replaces event line `line`, the `position`-th (from 0) of a range of `length`
  // lines, whose fields `format` names: nothing (the line goes), one line or several, each
  // ending in `lineEnd`.
  virtual void Rewrite(std::string& out, std::string_view line, std::string_view lineEnd,
                       std::int32_t position, std::int32_t length,
                       const script::EventFormat& format) = 0;
  // What the lines rewritten so far leave the user to know; nothing by default.
  virtual script::Message Note() const { return {}; }
};

// Each occurrence replaced by the Replace block, as the replace mode says.
class ReplacementRewrite : public EventLineRewrite {
 public:
  ReplacementRewrite(const Block& replaceBlock, Replacement mode)
      : replaceBlock_(replaceBlock), mode_(mode) {}
  void Rewrite(std::string& out, std::string_view line, std::string_view lineEnd,
               std::int32_t position, std::int32_t length,
               const script::EventFormat& format) override {
    WriteReplacement(out, line, lineEnd, replaceBlock_, position, length, mode_, blockOffset_,
                     format);
  }

 private:
  const Block& replaceBlock_;
  Replacement mode_;
  std::int32_t blockOffset_ = 0;  // where the timing-shift mode puts the current occurrence
};

// Every line's times moved by a signed amount of centiseconds. Moved back, it counts the lines
// whose times stop at 0:00:00.00 or that then end before they start.
class ShiftRewrite : public EventLineRewrite {
 public:
  ShiftRewrite(Times mode, std::int32_t amount) : mode_(mode), amount_(amount) {}
  void Rewrite(std::string& out, std::string_view line, std::string_view lineEnd, std::int32_t,
               std::int32_t, const script::EventFormat& format) override;
  script::Message Note() const override;

 private:
  Times mode_;
  std::int32_t amount_;
  std::int32_t clamped_ = 0;
};

// Writes the whole new content of the script to `file`, advancing the phase's progress, and
// tells `changes`, when given, every line it changes. Lines that do not change are written as
// the slices of the file's bytes they are.
void WriteNewContent(script::ByteSink& file, const script::TSubtitleFile& script,
                     const RangeList& ranges, EventLineRewrite& rewrite, ProgressPhase& phase,
                     ChangeObserver* changes = nullptr);

}  // namespace nosk::engine
