#include "engine/nearmiss.h"

#include <algorithm>
#include <vector>

#include "engine/internal/searchblock.h"
#include "script/eventline.h"
#include "script/timecodes.h"

namespace nosk::engine {
namespace {

// How far two texts agree from the start, and from the end without overlapping that.
struct Agreement {
  std::size_t prefix = 0;
  std::size_t suffix = 0;
  std::size_t Total() const { return prefix + suffix; }
};

Agreement Agree(std::string_view a, std::string_view b) {
  Agreement agreement;
  const std::size_t shorter = std::min(a.size(), b.size());
  while (agreement.prefix < shorter && a[agreement.prefix] == b[agreement.prefix]) {
    ++agreement.prefix;
  }
  while (agreement.suffix < shorter - agreement.prefix &&
         a[a.size() - 1 - agreement.suffix] == b[b.size() - 1 - agreement.suffix]) {
    ++agreement.suffix;
  }
  return agreement;
}

// The characters (code points) of UTF-8 text, counted up to byte `end`.
std::size_t Characters(std::string_view text, std::size_t end) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < end && i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++count;
  }
  return count;
}

// A line as a terminal may show it: control characters (a CR, a tab) as "?", one each.
std::string Shown(std::string_view text) {
  std::string shown(text);
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return shown;
}

std::string Number(std::int32_t n) { return std::to_string(n); }

void MarkDifference(NearMiss& miss) {
  const Agreement agreement = Agree(miss.found, miss.expected);
  miss.differenceStart = agreement.prefix;
  miss.foundEnd = miss.found.size() - agreement.suffix;
  miss.expectedEnd = miss.expected.size() - agreement.suffix;
}

// The first place where every line of the block (prepared for the full match with offset)
// matches without its times: there its inner timing differs, or it would have been found.
bool FindTimingMiss(const script::TSubtitleFile& script, const std::vector<std::string>& block,
                    const std::vector<std::string>& keys, NearMiss& miss) {
  const auto length = static_cast<std::int32_t>(block.size());
  std::string buffer;
  for (std::int32_t start = 0; start + length <= script.EventCount(); ++start) {
    std::int32_t i = 0;
    for (; i < length; ++i) {
      const std::int32_t k = start + i;
      if (ComparisonKey(script.GetEventLine(k), Matching::FullMatchWithOffset,
                        script.EventFormatOf(k), buffer) != keys[static_cast<std::size_t>(i)]) {
        break;
      }
    }
    if (i < length) continue;
    std::int32_t offset = 0;
    const std::int32_t off = FirstItemOffTheOffset(script, start, block, &offset);
    if (off < 0) continue;
    const script::EventFormat& format = script.EventFormatOf(0);
    miss.any = true;
    miss.timingOnly = true;
    miss.matched = off;
    miss.firstLine = script.EventIndex()[static_cast<std::size_t>(start)];
    miss.differingItem = off;
    miss.differingLine = script.EventIndex()[static_cast<std::size_t>(start + off)];
    miss.found = std::string(script::StripLineEnd(script.GetEventLine(start + off)));
    const std::string& item = block[static_cast<std::size_t>(off)];
    script::AppendRebuiltEventTimes(miss.expected, item, item, offset, true, true, "", format);
    MarkDifference(miss);
    return true;
  }
  return false;
}

}  // namespace

NearMiss FindNearMiss(const script::TSubtitleFile& script, const std::vector<std::string>& block,
                      Matching mode) {
  if (mode == Matching::FullMatchWithOffset && !block.empty()) {
    const std::vector<std::string> keys = OffsetComparisonKeys(block, script.EventFormatOf(0));
    NearMiss miss;
    miss.blockLines = static_cast<std::int32_t>(block.size());
    if (FindTimingMiss(script, block, keys, miss)) return miss;
    return FindNearMiss(script, keys, Matching::TextAndFormat);
  }
  NearMiss miss;
  miss.blockLines = static_cast<std::int32_t>(block.size());
  const std::int32_t eventCount = script.EventCount();
  if (eventCount == 0 || block.empty()) return miss;
  std::vector<std::string> keys;
  keys.reserve(static_cast<std::size_t>(eventCount));
  std::string buffer;
  for (std::int32_t k = 0; k < eventCount; ++k) {
    keys.emplace_back(ComparisonKey(script.GetEventLine(k), mode, script.EventFormatOf(k), buffer));
  }
  std::int32_t bestStart = 0;
  std::int32_t bestMatched = -1;
  std::size_t bestAgreement = 0;
  for (std::int32_t start = 0; start < eventCount; ++start) {
    std::int32_t matched = 0;
    while (matched < miss.blockLines && start + matched < eventCount &&
           keys[static_cast<std::size_t>(start + matched)] ==
               block[static_cast<std::size_t>(matched)]) {
      ++matched;
    }
    if (matched < bestMatched) continue;
    const std::size_t agreement =
        start + matched < eventCount
            ? Agree(keys[static_cast<std::size_t>(start + matched)],
                    block[static_cast<std::size_t>(std::min(matched, miss.blockLines - 1))])
                  .Total()
            : 0;
    if (matched > bestMatched || agreement > bestAgreement) {
      bestStart = start;
      bestMatched = matched;
      bestAgreement = agreement;
    }
  }
  miss.any = true;
  miss.matched = bestMatched;
  miss.firstLine = script.EventIndex()[static_cast<std::size_t>(bestStart)];
  miss.differingItem = std::min(bestMatched, miss.blockLines - 1);
  miss.expected = block[static_cast<std::size_t>(miss.differingItem)];
  if (bestStart + bestMatched < eventCount) {
    miss.differingLine = script.EventIndex()[static_cast<std::size_t>(bestStart + bestMatched)];
    miss.found = keys[static_cast<std::size_t>(bestStart + bestMatched)];
  }
  MarkDifference(miss);
  return miss;
}

std::string DescribeNearMiss(const NearMiss& miss) {
  if (!miss.any) return "the block was not found; the script has no event line to compare\n";
  std::string text = "the block was not found; ";
  if (miss.timingOnly) {
    text += "its lines match from line " + Number(miss.firstLine + 1) +
            " apart from their times, but its inner timing differs: line " +
            Number(miss.differingLine + 1) + " is not at the offset of the first (its line " +
            Number(miss.differingItem + 1) + ", moved by that offset):\n";
  } else if (miss.matched == 0) {
    text += "no line of it matches, and line " + Number(miss.differingLine + 1) +
            " comes closest to its first line:\n";
  } else if (miss.differingLine < 0) {
    text += "its first " + Number(miss.matched) + " of " + Number(miss.blockLines) +
            " lines match from line " + Number(miss.firstLine + 1) +
            ", where the script's event lines end:\n";
  } else {
    text += Number(miss.matched) + " of its " + Number(miss.blockLines) +
            " lines match from line " + Number(miss.firstLine + 1) + ", then line " +
            Number(miss.differingLine + 1) + " differs from its line " +
            Number(miss.differingItem + 1) + ":\n";
  }
  text += "  block:  " + Shown(miss.expected) + "\n";
  if (miss.differingLine < 0) return text;
  text += "  script: " + Shown(miss.found) + "\n";
  const std::size_t start = Characters(miss.found, miss.differenceStart);
  const std::size_t width = std::max<std::size_t>(
      1,
      std::max(Characters(miss.found, miss.foundEnd), Characters(miss.expected, miss.expectedEnd)) -
          start);
  text += std::string(10 + start, ' ') + std::string(width, '^') + "\n";
  return text;
}

}  // namespace nosk::engine
