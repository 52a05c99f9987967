#include "engine/internal/searchblock.h"

#include <optional>

#include "engine/internal/progressphase.h"
#include "script/eventline.h"
#include "script/timecodes.h"

namespace nosk::engine {
namespace {

using script::IsEventLine;
using script::StripLineEnd;

// Reads the editor's lines into a typed block: its Format line (the first, if several) taken
// out, each other line checked in that format, the trailing blank lines dropped.
script::Outcome ReadTypedBlock(const std::vector<std::string>& editorLines,
                               std::int32_t fewestItems, script::MessageId tooLarge,
                               script::MessageId error, TypedBlock& block) {
  if (editorLines.size() > kLargestBlock) {
    return script::Outcome::Failure(script::Message(tooLarge));
  }
  block = {};
  const auto failed = [&](script::Message why) {
    return script::Outcome::Failure(
        script::Message(script::MessageId::DataErrorBecause, {script::Message(error), why}));
  };
  bool formatGiven = false;
  for (std::size_t i = 0; i < editorLines.size(); ++i) {
    const std::string& line = editorLines[i];
    if (!line.starts_with("Format:")) continue;
    std::optional<script::EventFormat> format = script::EventFormat::FromLine(line);
    if (!format) return failed(script::Message(script::MessageId::BlockFormatUnreadable, {i + 1}));
    if (!formatGiven) block.format = std::move(*format);
    formatGiven = true;
  }
  std::size_t trailingBlanks = 0;
  for (std::size_t i = 0; i < editorLines.size(); ++i) {
    const std::string& line = editorLines[i];
    if (line.starts_with("Format:")) continue;
    if (line.empty()) {
      ++trailingBlanks;
    } else if (std::optional<script::Message> problem =
                   script::EventLineProblem(line, block.format)) {
      return failed(script::Message(script::MessageId::BlockLineNotEvent, {i + 1, *problem}));
    } else {
      trailingBlanks = 0;
    }
    block.lines.push_back(line);
  }
  block.lines.resize(block.lines.size() - trailingBlanks);
  if (static_cast<std::int32_t>(block.lines.size()) < fewestItems) {
    return failed(script::Message(script::MessageId::BlockHasNoEventLine));
  }
  return script::Outcome::Success();
}

}  // namespace

std::vector<std::int32_t> FailureLinks(const Block& block) {
  std::vector<std::int32_t> failure(block.size(), 0);
  std::int32_t k = 0;
  for (std::size_t q = 1; q < block.size(); ++q) {
    while (k > 0 && block[q] != block[k]) k = failure[k - 1];
    if (block[q] == block[k]) ++k;
    failure[q] = k;
  }
  return failure;
}

BlockKind SearchBlockKind(Matching mode) {
  switch (mode) {
    case Matching::TextOnly:
      return BlockKind::TextField;
    case Matching::TextAndFormat:
      return BlockKind::MaskedTimes;
    case Matching::FullMatchWithOffset:
      return BlockKind::CanonicalTimes;
    case Matching::FullMatch:
      break;
  }
  return BlockKind::WholeLine;
}

BlockKind ReplaceBlockKind(Replacement mode) {
  switch (mode) {
    case Replacement::None:
      return BlockKind::AsTyped;
    case Replacement::TextOnly:
      return BlockKind::TextField;
    case Replacement::TextAndFormat:
      return BlockKind::MaskedTimes;
    case Replacement::TimingShift:
      return BlockKind::TimesFromZero;
    case Replacement::FullMatch:
      break;
  }
  return BlockKind::WholeLine;
}

std::int32_t PrepareBlock(Block& block, BlockKind kind) {
  return PrepareBlock(block, kind, script::EventFormat::Standard());
}

std::int32_t PrepareBlock(Block& block, BlockKind kind, const script::EventFormat& format) {
  std::size_t trailingBlanks = 0;
  for (const std::string& item : block) {
    if (item.empty()) {
      ++trailingBlanks;
      continue;
    }
    if (!IsEventLine(item, true, format)) return -1;
    trailingBlanks = 0;
  }
  block.resize(block.size() - trailingBlanks);
  PrepareItems(block, kind, format);
  return static_cast<std::int32_t>(block.size());
}

void PrepareItems(Block& block, BlockKind kind, const script::EventFormat& format) {
  // The timing-shift replacement places the block at time zero: every line moves back by the
  // start of the first line as typed (0 when that line is blank, so that the block keeps its own
  // times).
  const std::int32_t blockStart =
      kind == BlockKind::TimesFromZero && !block.empty()
          ? script::TimeValue(script::FieldOf(block.front(), format.start, format))
          : 0;
  std::string converted;
  for (std::string& item : block) {
    if (item.empty()) continue;
    switch (kind) {
      case BlockKind::TextField:
        item = std::string(script::FieldOf(item, format.text, format));
        break;
      case BlockKind::MaskedTimes:
        script::MaskEventTimesInto(converted, item, format);
        item = converted;
        break;
      case BlockKind::CanonicalTimes:
      case BlockKind::TimesFromZero:
        converted.clear();
        script::AppendRebuiltEventTimes(converted, item, item,
                                        kind == BlockKind::TimesFromZero ? -blockStart : 0, true,
                                        true, "\r\n", format);
        item = converted;
        break;
      case BlockKind::WholeLine:
        item = std::string(StripLineEnd(item));
        break;
      case BlockKind::AsTyped:
        break;
    }
  }
}

Block PreparedFor(const TypedBlock& block, BlockKind kind, const script::EventFormat& format) {
  Block prepared = block.lines;
  if (!(block.format == format)) {
    for (std::string& item : prepared) {
      if (!item.empty()) item = script::ProjectEventLine(item, block.format, format);
    }
  }
  PrepareItems(prepared, kind, format);
  return prepared;
}

script::Outcome ReadSearchBlock(const std::vector<std::string>& editorLines, TypedBlock& block) {
  return ReadTypedBlock(editorLines, 1, script::MessageId::SearchDataTooLarge,
                        script::MessageId::SearchDataError, block);
}

script::Outcome ReadReplaceBlock(const std::vector<std::string>& editorLines, TypedBlock& block) {
  return ReadTypedBlock(editorLines, 0, script::MessageId::ReplaceDataTooLarge,
                        script::MessageId::ReplaceDataError, block);
}

script::Outcome ReadSearchBlock(const std::vector<std::string>& editorLines, Matching mode,
                                Block& block) {
  TypedBlock typed;
  if (script::Outcome read = ReadSearchBlock(editorLines, typed); !read) return read;
  block = PreparedFor(typed, SearchBlockKind(mode), typed.format);
  return script::Outcome::Success();
}

script::Outcome ReadReplaceBlock(const std::vector<std::string>& editorLines, Replacement mode,
                                 Block& block) {
  TypedBlock typed;
  if (script::Outcome read = ReadReplaceBlock(editorLines, typed); !read) return read;
  block = PreparedFor(typed, ReplaceBlockKind(mode), typed.format);
  return script::Outcome::Success();
}

std::string_view ComparisonKey(std::string_view line, Matching mode, std::string& buffer) {
  return ComparisonKey(line, mode, script::EventFormat::Standard(), buffer);
}

std::string_view ComparisonKey(std::string_view line, Matching mode,
                               const script::EventFormat& format, std::string& buffer) {
  switch (mode) {
    case Matching::TextOnly:
      return script::FieldOf(line, format.text, format);
    case Matching::TextAndFormat:
    case Matching::FullMatchWithOffset:  // the times are then compared as a whole block
      script::MaskEventTimesInto(buffer, line, format);
      return buffer;
    case Matching::FullMatch:
      break;
  }
  return StripLineEnd(line);
}

Block OffsetComparisonKeys(const Block& block, const script::EventFormat& format) {
  Block keys;
  keys.reserve(block.size());
  std::string buffer;
  for (const std::string& item : block) {
    keys.emplace_back(item.empty() ? std::string_view()
                                   : ComparisonKey(item, Matching::TextAndFormat, format, buffer));
  }
  return keys;
}

std::int32_t FirstItemOffTheOffset(const script::TSubtitleFile& script, std::int32_t first,
                                   const Block& block, std::int32_t* offsetFound) {
  const script::EventFormat& format = script.EventFormatOf(0);
  const auto timesOf = [](std::string_view line, const script::EventFormat& in) {
    return std::pair(script::TimeValue(script::FieldOf(line, in.start, in)),
                     script::TimeValue(script::FieldOf(line, in.end, in)));
  };
  std::optional<std::int32_t> offset;
  for (std::size_t i = 0; i < block.size(); ++i) {
    if (block[i].empty()) continue;
    const auto k = first + static_cast<std::int32_t>(i);
    const auto [start, end] = timesOf(script.GetEventLine(k), script.EventFormatOf(k));
    const auto [itemStart, itemEnd] = timesOf(block[i], format);
    if (!offset) {
      offset = start - itemStart;
      if (offsetFound != nullptr) *offsetFound = *offset;
    }
    if (start - itemStart != *offset || end - itemEnd != *offset) {
      return static_cast<std::int32_t>(i);
    }
  }
  return -1;
}

// Every line starts a partial match, and all partial matches advance together, so the oldest
// live one completes first and an occurrence found at line r is the leftmost one ending there;
// after it the scan starts afresh. That is the forward scan with failure links (Knuth-Morris-
// Pratt) over comparison keys, which compares each key a constant number of times on average
// instead of once per live partial match.
std::int32_t FindOccurrences(Host& host, const script::TSubtitleFile& script, const Block& block,
                             Matching mode, RangeList& ranges) {
  ProgressPhase phase(host);
  phase.Start(script::MessageId::SearchingPhase);
  if (block.empty()) return ranges.Count();
  const auto length = static_cast<std::int32_t>(block.size());
  // With an offset the lines are compared without their times, and an occurrence of those must
  // then have the block's times moved by one amount; one that has not gives way to the next.
  const bool withOffset = mode == Matching::FullMatchWithOffset;
  const Block offsetKeys =
      withOffset ? OffsetComparisonKeys(block, script.EventFormatOf(0)) : Block();
  const Block& keys = withOffset ? offsetKeys : block;
  const std::vector<std::int32_t> failure = FailureLinks(keys);
  const std::int32_t eventCount = script.EventCount();
  std::string keyBuffer;
  std::int32_t matched = 0;
  for (std::int32_t r = 0; r < eventCount; ++r) {
    const std::string_view key =
        ComparisonKey(script.GetEventLine(r), mode, script.EventFormatOf(r), keyBuffer);
    phase.Advance(r, eventCount);
    while (matched > 0 && keys[matched] != key) matched = failure[matched - 1];
    if (keys[matched] == key) ++matched;
    if (matched < length) continue;
    if (withOffset && FirstItemOffTheOffset(script, r - length + 1, block) >= 0) {
      matched = failure[length - 1];
      continue;
    }
    ranges.Append(r - length + 1, r);
    matched = 0;
  }
  return ranges.Count();
}

}  // namespace nosk::engine
