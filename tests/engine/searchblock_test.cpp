#include "engine/internal/searchblock.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/common/partialmatchlist.h"
#include "tests/common/recordinghost.h"

namespace nosk::engine {
namespace {

using testsupport::PartialMatchListSearch;
using testsupport::RecordingHost;

std::string Event(std::string_view start, std::string_view end, std::string_view text,
                  std::string_view style = "Default") {
  return "Dialogue: 0," + std::string(start) + "," + std::string(end) + "," + std::string(style) +
         ",,0,0,0,," + std::string(text);
}

TEST(SearchBlocks, PrepareEachKindAndDropOnlyTrailingBlankItems) {
  const std::string a = Event("0:01:00.00", "0:01:02.00", "Hello, you");
  const std::string b = Event("0:01:05.50", "0:01:07.00", "Bye");
  struct Case {
    BlockKind kind;
    Block expected;
  };
  const Case cases[] = {
      {BlockKind::TextField, {"Hello, you", "", "Bye"}},
      {BlockKind::MaskedTimes,
       {Event("0:00:00.00", "0:00:00.00", "Hello, you"), "",
        Event("0:00:00.00", "0:00:00.00", "Bye")}},
      {BlockKind::CanonicalTimes, {a + "\r\n", "", b + "\r\n"}},
      {BlockKind::TimesFromZero,
       {Event("0:00:00.00", "0:00:02.00", "Hello, you") + "\r\n", "",
        Event("0:00:05.50", "0:00:07.00", "Bye") + "\r\n"}},
      {BlockKind::WholeLine, {a, "", b}},
      {BlockKind::AsTyped, {a, "", b}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    Block block = {a, "", b, "", ""};
    EXPECT_EQ(PrepareBlock(block, c.kind), 3);
    EXPECT_EQ(block, c.expected);
  }
  // Each mode prepares its block as its kind says.
  EXPECT_EQ(SearchBlockKind(Matching::TextOnly), BlockKind::TextField);
  EXPECT_EQ(SearchBlockKind(Matching::TextAndFormat), BlockKind::MaskedTimes);
  EXPECT_EQ(SearchBlockKind(Matching::FullMatchWithOffset), BlockKind::CanonicalTimes);
  EXPECT_EQ(SearchBlockKind(Matching::FullMatch), BlockKind::WholeLine);
  EXPECT_EQ(ReplaceBlockKind(Replacement::None), BlockKind::AsTyped);
  EXPECT_EQ(ReplaceBlockKind(Replacement::TextOnly), BlockKind::TextField);
  EXPECT_EQ(ReplaceBlockKind(Replacement::TextAndFormat), BlockKind::MaskedTimes);
  EXPECT_EQ(ReplaceBlockKind(Replacement::TimingShift), BlockKind::TimesFromZero);
  EXPECT_EQ(ReplaceBlockKind(Replacement::FullMatch), BlockKind::WholeLine);
}

TEST(SearchBlocks, TheTimingShiftBlockKeepsItsOwnTimesWhenItsFirstLineIsBlank) {
  Block block = {"", Event("0:01:00.00", "0:01:02.00", "x")};
  EXPECT_EQ(PrepareBlock(block, BlockKind::TimesFromZero), 2);
  EXPECT_EQ(block[1], Event("0:01:00.00", "0:01:02.00", "x") + "\r\n");
}

TEST(SearchBlocks, ReadingChecksEveryLineAndTheLimits) {
  const std::string valid = Event("0:00:01.00", "0:00:02.00", "x");
  const std::string comment = "Comment: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,x";
  struct Case {
    std::string name;
    std::vector<std::string> lines;
    bool searchAccepted;
    std::string searchStatus;
    bool replaceAccepted;
    std::string replaceStatus;
  };
  const Case cases[] = {
      {"a valid line", {valid}, true, "", true, ""},
      {"a Comment line", {comment}, true, "", true, ""},
      {"nothing", {}, false, "Search data error. It holds no event line.", true, ""},
      {"blank lines only", {"", ""}, false, "Search data error. It holds no event line.", true, ""},
      {"plain text",
       {valid, "hello"},
       false,
       "Search data error. Line 2 is not an event line: it does not begin with \"Dialogue:\" or "
       "\"Comment:\".",
       false,
       "Replace data error. Line 2 is not an event line: it does not begin with \"Dialogue:\" or "
       "\"Comment:\"."},
      {"a line of spaces is not blank",
       {valid, "  "},
       false,
       "Search data error. Line 2 is not an event line: it does not begin with \"Dialogue:\" or "
       "\"Comment:\".",
       false,
       "Replace data error. Line 2 is not an event line: it does not begin with \"Dialogue:\" or "
       "\"Comment:\"."},
      {"eight commas",
       {"Dialogue: 0,0:00:01.00,0:00:02.00,Default,0,0,0,,x"},
       false,
       "Search data error. Line 1 is not an event line: it has 8 of the 9 commas.",
       false,
       "Replace data error. Line 1 is not an event line: it has 8 of the 9 commas."},
      {"invalid start",
       {Event("0:00:1.00", "0:00:02.00", "x")},
       false,
       "Search data error. Line 1 is not an event line: its start time 0:00:1.00 is not "
       "H:MM:SS.CC.",
       false,
       "Replace data error. Line 1 is not an event line: its start time 0:00:1.00 is not "
       "H:MM:SS.CC."},
      {"a layer that is no number",
       {"Dialogue: x,0:00:01.00,0:00:02.00,Default,,0,0,0,,x"},
       false,
       "Search data error. Line 1 is not an event line: its layer x is not a number.",
       false,
       "Replace data error. Line 1 is not an event line: its layer x is not a number."},
      {"an invalid end in a five-field block",
       {"Format: Layer, Start, End, Style, Text", "Dialogue: 0,0:00:01.00,9:99,Default,x"},
       false,
       "Search data error. Line 2 is not an event line: its end time 9:99 is not H:MM:SS.CC.",
       false,
       "Replace data error. Line 2 is not an event line: its end time 9:99 is not H:MM:SS.CC."},
      {"the largest editor", std::vector<std::string>(kLargestBlock, valid), true, "", true, ""},
      {"one line too many", std::vector<std::string>(kLargestBlock + 1, valid), false,
       "Search data too large.", false, "Replace data too large."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Block search;
    const script::Outcome searchRead = ReadSearchBlock(c.lines, Matching::FullMatch, search);
    EXPECT_EQ(searchRead.ok(), c.searchAccepted);
    EXPECT_EQ(searchRead.reason(), c.searchStatus);
    Block replace;
    const script::Outcome replaceRead = ReadReplaceBlock(c.lines, Replacement::FullMatch, replace);
    EXPECT_EQ(replaceRead.ok(), c.replaceAccepted);
    EXPECT_EQ(replaceRead.reason(), c.replaceStatus);
  }
}

// A script whose event lines are the given texts (Text field), one after another.
script::TSubtitleFile ScriptOfTexts(const std::vector<std::string>& texts) {
  script::TSubtitleFile file;
  file.AddLine("[Events]\r\n");
  std::vector<std::int32_t> index;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    index.push_back(file.LineCount());
    file.AddLine(Event("0:00:0" + std::to_string(i % 10) + ".00", "0:00:09.00", texts[i]) + "\r\n");
  }
  file.SetEventIndex(index);
  return file;
}

std::vector<std::pair<int, int>> Occurrences(const std::vector<std::string>& scriptTexts,
                                             const std::vector<std::string>& blockTexts) {
  script::TSubtitleFile file = ScriptOfTexts(scriptTexts);
  RecordingHost host;
  RangeList ranges;
  FindOccurrences(host, file, blockTexts, Matching::TextOnly, ranges);
  std::vector<std::pair<int, int>> found;
  for (const EventRange& range : ranges) found.emplace_back(range.first, range.last);
  return found;
}

TEST(SearchBlocks, FindTheLeftmostOccurrencesThatDoNotOverlap) {
  using Found = std::vector<std::pair<int, int>>;
  EXPECT_EQ(Occurrences({"A", "A", "B", "A", "B"}, {"A", "B"}), (Found{{1, 2}, {3, 4}}));
  EXPECT_EQ(Occurrences({"A", "A", "A"}, {"A", "A"}), (Found{{0, 1}}));
  EXPECT_EQ(Occurrences({"A", "A", "A", "A"}, {"A", "A"}), (Found{{0, 1}, {2, 3}}));
  EXPECT_EQ(Occurrences({"A", "B", "A", "B", "A", "C"}, {"A", "B", "A", "C"}), (Found{{2, 5}}));
  EXPECT_EQ(Occurrences({"B", "A"}, {"A", "B"}), Found{});
  EXPECT_EQ(Occurrences({}, {"A"}), Found{});
}

TEST(SearchBlocks, AgreeWithThePartialMatchListOnRandomScripts) {
  std::mt19937 random(20261209);
  for (int round = 0; round < 3000; ++round) {
    const int alphabet = 1 + static_cast<int>(random() % 3);
    const auto letter = [&] {
      return std::string(1, static_cast<char>('A' + random() % alphabet));
    };
    std::vector<std::string> texts(random() % 40);
    for (std::string& t : texts) t = letter();
    std::vector<std::string> block(1 + random() % 6);
    for (std::string& t : block) t = letter();
    SCOPED_TRACE(round);
    ASSERT_EQ(Occurrences(texts, block), PartialMatchListSearch(texts, block));
  }
}

TEST(SearchBlocks, CompareByTheFormOfTheSearchMode) {
  script::TSubtitleFile file;
  file.AddText(
      "[Events]\r\n"
      "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Hello\r\n"
      "Comment: 3,0:05:00.00,0:05:09.00,Sign,Bob,1,2,3,fx,Hello\n"
      "Dialogue: 0,0:07:01.00,0:07:02.00,Default,,0,0,0,,Hello\n"
      "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,hello\n"
      "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Hello \n"
      "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,\n"
      "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Bye\n");
  file.SetEventIndex({1, 2, 3, 4, 5, 6, 7});
  const std::string typed = "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Hello";
  struct Case {
    std::string name;
    Matching mode;
    std::vector<std::string> block;
    std::vector<int> startsFound;
  };
  const Case cases[] = {
      {"text only: any times, style, fields or kind", Matching::TextOnly, {typed}, {0, 1, 2}},
      {"text and format: only the times may differ", Matching::TextAndFormat, {typed}, {0, 2}},
      {"full match: exact, whatever the line end", Matching::FullMatch, {typed}, {0}},
      {"text only: a blank item in the middle matches an empty Text",
       Matching::TextOnly,
       {"Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Hello ", "",
        "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Bye"},
       {4}},
      {"text and format: a blank item matches nothing",
       Matching::TextAndFormat,
       {"Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Hello ", "",
        "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Bye"},
       {}},
      {"trailing blank items do not count", Matching::FullMatch, {typed, "", ""}, {0}},
      {"full match with offset: one line is found at any time",
       Matching::FullMatchWithOffset,
       {typed},
       {0, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingHost host;
    Block block = c.block;
    PrepareBlock(block, SearchBlockKind(c.mode));
    RangeList ranges;
    FindOccurrences(host, file, block, c.mode, ranges);
    std::vector<int> starts;
    for (const EventRange& range : ranges) starts.push_back(range.first);
    EXPECT_EQ(starts, c.startsFound);
  }
}

TEST(SearchBlocks, SearchShowsItsPhase) {
  script::TSubtitleFile file = ScriptOfTexts(std::vector<std::string>(250, "A"));
  RecordingHost host;
  RangeList ranges;
  EXPECT_EQ(FindOccurrences(host, file, {"A"}, Matching::TextOnly, ranges), 250);
  EXPECT_EQ(host.calls[0], "begin");
  EXPECT_EQ(host.calls[2], "status Data searching. Please, wait...");
  EXPECT_EQ(host.calls[3], "repaint");
  EXPECT_EQ(host.calls.back(), "end");
  EXPECT_LE(host.positions.size(), 101u);
  EXPECT_EQ(host.positions.back(), 99);  // the last line searched is 249 of 250
}

}  // namespace
}  // namespace nosk::engine
