#include "engine/internal/searchblock.h"

#include "engine/internal/progressphase.h"
#include "script/eventline.h"
#include "script/timecodes.h"

namespace nosk::engine {
namespace {

using script::GetField;
using script::IsEventLine;
using script::MaskEventTimes;
using script::ShiftEventLine;
using script::StripLineEnd;

script::Outcome ReadBlock(const std::vector<std::string>& editorLines, BlockKind kind,
                          std::int32_t fewestItems, script::MessageId tooLarge,
                          script::MessageId error, Block& block) {
  if (editorLines.size() > kLargestBlock)
    return script::Outcome::Failure(script::Message(tooLarge));
  block.insert(block.end(), editorLines.begin(), editorLines.end());
  if (PrepareBlock(block, kind) < fewestItems) {
    return script::Outcome::Failure(script::Message(error));
  }
  return script::Outcome::Success();
}

// Failure links of the block for the forward scan: failure[q] is the length of the longest proper
// prefix of items 0..q that is also a suffix of them.
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

}  // namespace

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
  // The timing-shift replacement places the block at time zero: every line moves back by the
  // start of the first line as typed (0 when that line is blank, so that the block keeps its own
  // times).
  const std::int32_t blockStart = kind == BlockKind::TimesFromZero && !block.empty()
                                      ? script::TimeValue(GetField(block.front(), 2))
                                      : 0;
  std::size_t trailingBlanks = 0;
  for (std::string& item : block) {
    if (item.empty()) {
      ++trailingBlanks;
      continue;
    }
    if (!IsEventLine(item, true)) return -1;
    trailingBlanks = 0;
    switch (kind) {
      case BlockKind::TextField:
        item = std::string(GetField(item, 10));
        break;
      case BlockKind::MaskedTimes:
        item = MaskEventTimes(item);
        break;
      case BlockKind::CanonicalTimes:
        item = ShiftEventLine(item, 0);
        break;
      case BlockKind::TimesFromZero:
        item = ShiftEventLine(item, -blockStart);
        break;
      case BlockKind::WholeLine:
        item = std::string(StripLineEnd(item));
        break;
      case BlockKind::AsTyped:
        break;
    }
  }
  block.resize(block.size() - trailingBlanks);
  return static_cast<std::int32_t>(block.size());
}

script::Outcome ReadSearchBlock(const std::vector<std::string>& editorLines, Matching mode,
                                Block& block) {
  return ReadBlock(editorLines, SearchBlockKind(mode), 1, script::MessageId::SearchDataTooLarge,
                   script::MessageId::SearchDataError, block);
}

script::Outcome ReadReplaceBlock(const std::vector<std::string>& editorLines, Replacement mode,
                                 Block& block) {
  return ReadBlock(editorLines, ReplaceBlockKind(mode), 0, script::MessageId::ReplaceDataTooLarge,
                   script::MessageId::ReplaceDataError, block);
}

std::string_view ComparisonKey(std::string_view line, Matching mode, std::string& buffer) {
  switch (mode) {
    case Matching::TextOnly:
      return GetField(line, 10);
    case Matching::TextAndFormat:
      script::MaskEventTimesInto(buffer, line);
      return buffer;
    case Matching::FullMatch:
      return StripLineEnd(line);
    case Matching::FullMatchWithOffset:
      break;
  }
  return {};
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
  const std::vector<std::int32_t> failure = FailureLinks(block);
  const std::int32_t eventCount = script.EventCount();
  std::string keyBuffer;
  std::int32_t matched = 0;
  for (std::int32_t r = 0; r < eventCount; ++r) {
    const std::string_view key = ComparisonKey(script.GetEventLine(r), mode, keyBuffer);
    phase.Advance(r, eventCount);
    while (matched > 0 && block[matched] != key) matched = failure[matched - 1];
    if (block[matched] == key) ++matched;
    if (matched == length) {
      ranges.Append(r - length + 1, r);
      matched = 0;
    }
  }
  return ranges.Count();
}

}  // namespace nosk::engine
