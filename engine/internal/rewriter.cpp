#include "engine/internal/rewriter.h"

#include <algorithm>

#include "script/eventline.h"
#include "script/scriptio.h"
#include "script/timecodes.h"

namespace nosk::engine {
namespace {

using script::AppendRebuiltEventTimes;
using script::FieldStart;

constexpr std::string_view kCrLf = "\r\n";

// One item of the Replace block as the mode writes it, ending in `lineEnd`. A blank item has no
// fields to rebuild: it writes an empty line in every mode but the text-only one, where it
// empties the Text field.
void WriteItem(std::string& out, std::string_view line, std::string_view lineEnd,
               std::string_view item, Replacement mode, std::int32_t blockOffset,
               const script::EventFormat& format) {
  if (item.empty() && mode != Replacement::TextOnly) {
    if (mode != Replacement::None) out.append(lineEnd);
    return;
  }
  switch (mode) {
    case Replacement::TextOnly:
      out.append(line.substr(0, static_cast<std::size_t>(FieldStart(line, format.text) - 1)));
      out.append(item);
      out.append(lineEnd);
      break;
    case Replacement::TextAndFormat:
      AppendRebuiltEventTimes(out, line, item, 0, true, true, lineEnd, format);
      break;
    case Replacement::TimingShift:
      AppendRebuiltEventTimes(out, item, item, blockOffset, true, true, lineEnd, format);
      break;
    case Replacement::FullMatch:
      out.append(item);
      out.append(lineEnd);
      break;
    case Replacement::None:
      break;
  }
}

}  // namespace

std::string_view UsualLineEnd(const script::TSubtitleFile& script) {
  const std::string_view first =
      script.LineCount() > 0 ? script::LineEnd(script.GetLine(0)) : std::string_view();
  return first.empty() ? kCrLf : first;
}

std::string_view RebuiltLineEnd(std::string_view line, std::string_view usualLineEnd) {
  const std::string_view own = script::LineEnd(line);
  return own.empty() ? usualLineEnd : own;
}

void WriteReplacement(std::string& out, std::string_view line, std::string_view lineEnd,
                      const Block& replaceBlock, std::int32_t position, std::int32_t length,
                      Replacement mode, std::int32_t& blockOffset,
                      const script::EventFormat& format) {
  const auto itemCount = static_cast<std::int32_t>(replaceBlock.size());
  if (position < itemCount) {
    if (position == 0 && mode == Replacement::TimingShift) {
      blockOffset = script::TimeValue(script::FieldOf(line, format.start, format));
    }
    WriteItem(out, line, lineEnd, replaceBlock[position], mode, blockOffset, format);
  }
  // After the occurrence's last line come the items it had no line for, with that line's end.
  if (position + 1 == length && position + 1 < itemCount &&
      (mode == Replacement::TimingShift || mode == Replacement::FullMatch)) {
    for (std::int32_t extra = position + 1; extra < itemCount; ++extra) {
      WriteItem(out, line, lineEnd, replaceBlock[extra], mode, blockOffset, format);
    }
  }
}

void WriteShiftedLine(std::string& out, std::string_view line, std::string_view lineEnd, Times mode,
                      std::int32_t shiftAmount, const script::EventFormat& format) {
  const bool shiftStart = mode == Times::StartAndEnd || mode == Times::StartOnly;
  const bool shiftEnd = mode == Times::StartAndEnd || mode == Times::EndOnly;
  AppendRebuiltEventTimes(out, line, line, shiftAmount, shiftStart, shiftEnd, lineEnd, format);
}

void ShiftRewrite::Rewrite(std::string& out, std::string_view line, std::string_view lineEnd,
                           std::int32_t, std::int32_t, const script::EventFormat& format) {
  WriteShiftedLine(out, line, lineEnd, mode_, amount_, format);
  if (amount_ >= 0) return;
  const bool start = mode_ == Times::StartAndEnd || mode_ == Times::StartOnly;
  const bool end = mode_ == Times::StartAndEnd || mode_ == Times::EndOnly;
  const std::int64_t oldStart = script::TimeValue(script::FieldOf(line, format.start, format));
  const std::int64_t oldEnd = script::TimeValue(script::FieldOf(line, format.end, format));
  const std::int64_t newStart = start ? oldStart + amount_ : oldStart;
  const std::int64_t newEnd = end ? oldEnd + amount_ : oldEnd;
  if (newStart < 0 || newEnd < 0 ||
      std::max<std::int64_t>(newEnd, 0) < std::max<std::int64_t>(newStart, 0)) {
    ++clamped_;
  }
}

script::Message ShiftRewrite::Note() const {
  if (clamped_ == 0) return {};
  return script::Message(script::MessageId::ShiftClamped, {clamped_});
}

void WriteNewContent(script::ByteSink& file, const script::TSubtitleFile& script,
                     const RangeList& ranges, EventLineRewrite& rewrite, ProgressPhase& phase,
                     ChangeObserver* changes) {
  const std::int32_t lineCount = script.LineCount();
  const std::int32_t eventCount = script.EventCount();
  const std::vector<std::int32_t>& eventIndex = script.EventIndex();
  std::int32_t nextLine = 0;  // the first line not written yet
  const auto writeUnchangedUpTo = [&](std::int32_t line) {
    if (line <= nextLine) return;
    script::WriteScriptLine(file, script.GetLines(nextLine, line));
    nextLine = line;
    phase.Advance(nextLine, lineCount);
  };

  const std::string_view usualLineEnd = UsualLineEnd(script);
  std::string changed;
  for (const EventRange& range : ranges) {
    // An end at or beyond the last event line means the last event line; a range may be empty.
    const std::int32_t first = std::max(range.first, 0);
    const std::int32_t last = std::min(range.last, eventCount - 1);
    for (std::int32_t i = first; i <= last; ++i) {
      writeUnchangedUpTo(eventIndex[i]);
      const std::string_view line = script.GetLine(eventIndex[i]);
      changed.clear();
      rewrite.Rewrite(changed, line, RebuiltLineEnd(line, usualLineEnd), i - range.first,
                      range.Length(), script.EventFormatOf(i));
      script::WriteScriptLine(file, changed);
      if (changes != nullptr && changed != line) changes->Changed(eventIndex[i], line, changed);
      nextLine = eventIndex[i] + 1;
      phase.Advance(nextLine, lineCount);
    }
  }
  writeUnchangedUpTo(lineCount);
}

}  // namespace nosk::engine
