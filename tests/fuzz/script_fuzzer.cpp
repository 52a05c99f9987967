// Fuzzing the script layer and the block search. An input is: a 4-byte shift offset, a byte that
// picks the search and replace modes, the block's text up to a NUL, and the script's bytes.
// Besides no crash and no sanitizer report, every input must keep these promises:
// - the lines of a script, written back, are the script;
// - a rewrite with no ranges reproduces the script byte for byte;
// - a shift by +x then by -x restores every time that was valid and not clamped;
// - the search finds what a list of partial matches finds;
// - the fast reading of canonical times agrees with the plain one;
// - a shift in another order of fields moves the times as the standard order does;
// - the wide scans (line ends, a needle's copies, bytes outside ASCII) find what the plain ones
//   find.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "engine/editortext.h"
#include "engine/internal/eventindex.h"
#include "engine/internal/progressphase.h"
#include "engine/internal/rewriter.h"
#include "engine/internal/searchblock.h"
#include "script/bytescan.h"
#include "script/bytesink.h"
#include "script/eventformat.h"
#include "script/eventline.h"
#include "script/scriptio.h"
#include "script/timecodes.h"
#include "tests/common/partialmatchlist.h"

namespace {

using namespace nosk;

class QuietHost : public engine::Host {
 public:
  void SetStatusText(const script::Message&) override {}
  void BeginProgress() override {}
  void EndProgress() override {}
  void SetProgressPosition(int) override {}
  void Repaint() override {}
  void ShowNotice(const script::Message&) override {}
};

void Require(bool promise, const char* what) {
  if (!promise) {
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::abort();
  }
}

std::string Rewrite(const script::TSubtitleFile& file, const engine::RangeList& ranges,
                    engine::EventLineRewrite&& rewrite) {
  QuietHost host;
  engine::ProgressPhase phase(host);
  script::StringSink sink;
  engine::WriteNewContent(sink, file, ranges, rewrite, phase);
  return sink.text;
}

// Every copy of `needle` in `bytes`, each scan from just past the last one found.
template <class Find>
std::vector<std::size_t> Copies(std::string_view bytes, std::string_view needle, Find find) {
  std::vector<std::size_t> copies;
  for (std::size_t at = find(bytes, needle, 0); at != std::string_view::npos;
       at = find(bytes, needle, at + 1)) {
    copies.push_back(at);
    if (needle.empty() && at == bytes.size()) break;
  }
  return copies;
}

// The wide scans, at each width the processor can take, find what the plain ones find: the line
// ends, each byte outside ASCII, and the copies of the block's text and of a piece of the script
// itself (which has some).
void CheckScans(std::string_view bytes, std::string_view blockText, std::uint32_t seed) {
  std::vector<std::size_t> plainEnds;
  std::vector<std::size_t> sse2Ends;
  std::vector<std::size_t> ends;
  script::plain::AppendLineEnds(bytes, 7, plainEnds);
  script::sse2::AppendLineEnds(bytes, 7, sse2Ends);
  script::AppendLineEnds(bytes, 7, ends);
  Require(sse2Ends == plainEnds && ends == plainEnds, "the wide line ends are the plain ones");
  for (std::size_t from = 0; from <= bytes.size();) {
    const std::size_t expected = script::plain::FirstNonAscii(bytes, from);
    Require(script::sse2::FirstNonAscii(bytes, from) == expected &&
                script::FirstNonAscii(bytes, from) == expected,
            "the wide scan finds the first byte outside ASCII the plain one finds");
    if (expected == std::string_view::npos) break;
    from = expected + 1;
  }

  const std::size_t start = bytes.empty() ? 0 : seed % bytes.size();
  for (const std::string_view needle :
       {blockText.substr(0, 100), bytes.substr(start, 1 + (seed >> 8) % 40)}) {
    const std::vector<std::size_t> expected = Copies(bytes, needle, script::plain::FindBytes);
    Require(Copies(bytes, needle, script::sse2::FindBytes) == expected &&
                Copies(bytes, needle, script::FindBytes) == expected,
            "the wide search finds the copies the plain one finds");
  }
}

// The fast path for canonical times reads every text as the plain walk does.
void CheckTimeReading(std::string_view text) {
  Require(script::ParseTime(text) == script::ParseTimeByComponents(text),
          "the canonical fast path reads a time as the plain walk does");
}

// A line shifted in its fields' own order, whatever it is, gets the times the standard order
// gives it.
void CheckShiftInAnotherOrder(std::string_view line, std::int32_t offset) {
  static const script::EventFormat reordered = *script::EventFormat::FromLine(
      "Format: Style, End, Layer, Start, Name, MarginL, MarginR, MarginV, Effect, Text");
  const script::EventFormat& standard = script::EventFormat::Standard();
  const std::string moved = script::ProjectEventLine(line, standard, reordered);
  std::string there;
  script::AppendRebuiltEventTimes(there, moved, moved, offset, true, true, "\r\n", reordered);
  const std::string here = script::ShiftEventLine(line, offset);
  Require(script::FieldOf(there, reordered.start, reordered) == script::GetField(here, 2) &&
              script::FieldOf(there, reordered.end, reordered) == script::GetField(here, 3),
          "a shift in another field order moves the times as the standard order does");
}

void CheckShiftRoundTrip(std::string_view line, std::int32_t offset) {
  const std::string there = script::ShiftEventLine(line, offset);
  const std::string back = script::ShiftEventLine(there, -offset);
  for (std::int32_t field : {2, 3}) {
    const script::ParsedTime time = script::ParseTime(script::GetField(line, field));
    const std::int64_t moved = std::int64_t{time.value} + offset;
    if (!time.valid || moved < 0 || moved > script::kLatestTime) continue;
    Require(script::GetField(back, field) == script::FormatTime(time.value),
            "a shift by +x then -x restores an unclamped time");
  }
  Require(back.ends_with("\r\n"), "a rebuilt line ends with CR LF");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5) return 0;
  std::int32_t offset;
  std::memcpy(&offset, data, 4);
  offset %= 4 * script::kLatestTime;
  const std::uint8_t modes = data[4];
  const std::string_view rest(reinterpret_cast<const char*>(data) + 5, size - 5);
  const std::size_t nul = rest.find('\0');
  const std::string_view blockText = rest.substr(0, nul);
  const std::string_view scriptBytes = nul == std::string_view::npos ? "" : rest.substr(nul + 1);
  // Ten bytes of the block as a time: the fast path's own form, with anything in its places.
  if (blockText.size() >= 10) CheckTimeReading(blockText.substr(0, 10));

  QuietHost host;
  script::TSubtitleFile file;
  file.AddText(scriptBytes);
  {
    script::StringSink sink;
    for (std::int32_t i = 0; i < file.LineCount(); ++i)
      script::WriteScriptLine(sink, file.GetLine(i));
    Require(sink.text == scriptBytes, "the lines written back are the script");
  }
  CheckScans(scriptBytes, blockText, static_cast<std::uint32_t>(offset));
  engine::IndexEvents(host, file);

  const auto times = static_cast<engine::Times>(1 + modes % 3);
  const engine::RangeList none;
  Require(Rewrite(file, none, engine::ShiftRewrite(times, offset)) == scriptBytes,
          "a rewrite with no ranges is the script");

  for (std::int32_t k = 0; k < file.EventCount(); ++k) {
    const std::string_view line = file.GetEventLine(k);
    CheckShiftRoundTrip(line, offset);
    if (file.EventFormatOf(k).IsStandard()) CheckShiftInAnotherOrder(line, offset);
    CheckTimeReading(script::GetField(line, 2));
    CheckTimeReading(script::GetField(line, 3));
    (void)script::MaskEventTimes(line);
  }

  // The block, as the window's editor would hold it, searched for in each mode.
  const engine::Matching matching = static_cast<engine::Matching>(2 + (modes >> 2) % 4);
  const engine::Replacement replacing = static_cast<engine::Replacement>(2 + (modes >> 4) % 4);
  const std::vector<std::string> lines = engine::SplitEditorText(blockText);
  if (lines.size() > 64) return 0;
  engine::Block search(lines.begin(), lines.end());
  if (engine::PrepareBlock(search, engine::SearchBlockKind(matching)) < 1) return 0;
  engine::RangeList ranges;
  engine::FindOccurrences(host, file, search, matching, ranges);
  std::vector<std::string> keys;
  std::string buffer;
  for (std::int32_t k = 0; k < file.EventCount(); ++k) {
    keys.emplace_back(
        engine::ComparisonKey(file.GetEventLine(k), matching, file.EventFormatOf(k), buffer));
  }
  // With an offset, the leftmost lines equal without their times whose times are the block's
  // moved by one amount, scanned start by start.
  std::vector<std::pair<int, int>> expected;
  if (matching == engine::Matching::FullMatchWithOffset) {
    const engine::Block blockKeys = engine::OffsetComparisonKeys(search, file.EventFormatOf(0));
    const auto length = static_cast<std::int32_t>(search.size());
    for (std::int32_t start = 0; start + length <= file.EventCount();) {
      bool equal = true;
      for (std::int32_t i = 0; i < length && equal; ++i) equal = keys[start + i] == blockKeys[i];
      if (equal && engine::FirstItemOffTheOffset(file, start, search) < 0) {
        expected.emplace_back(start, start + length - 1);
        start += length;
      } else {
        ++start;
      }
    }
  } else {
    expected = testsupport::PartialMatchListSearch(keys, search);
  }
  Require(static_cast<std::size_t>(ranges.Count()) == expected.size(), "the search finds as many");
  for (std::size_t i = 0; i < expected.size(); ++i) {
    Require(ranges[i].first == expected[i].first && ranges[i].last == expected[i].second,
            "the search finds the same occurrences");
  }

  // Replace and shift what was found: no crash, and every line that is not an event line stays.
  engine::Block replace(lines.rbegin(), lines.rend());
  if (engine::PrepareBlock(replace, engine::ReplaceBlockKind(replacing)) >= 0) {
    (void)Rewrite(file, ranges, engine::ReplacementRewrite(replace, replacing));
  }
  (void)Rewrite(file, ranges, engine::ShiftRewrite(times, offset));
  return 0;
}
