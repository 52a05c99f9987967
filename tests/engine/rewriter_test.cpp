#include "engine/internal/rewriter.h"

#include <gtest/gtest.h>

namespace nosk::engine {
namespace {

std::string Event(std::string_view start, std::string_view end, std::string_view text,
                  std::string_view style = "Default") {
  return "Dialogue: 0," + std::string(start) + "," + std::string(end) + "," + std::string(style) +
         ",,0,0,0,," + std::string(text);
}

// What the mode writes for every line of one occurrence, the Replace block prepared as a run
// prepares it, in a script whose usual line end is LF.
std::string ReplaceOccurrence(const std::vector<std::string>& occurrence,
                              std::vector<std::string> typedReplace, Replacement mode) {
  Block block = std::move(typedReplace);
  EXPECT_GE(PrepareBlock(block, ReplaceBlockKind(mode)), 0);
  std::string out;
  std::int32_t blockOffset = -1;
  const auto length = static_cast<std::int32_t>(occurrence.size());
  for (std::int32_t p = 0; p < length; ++p) {
    WriteReplacement(out, occurrence[p], RebuiltLineEnd(occurrence[p], "\n"), block, p, length,
                     mode, blockOffset);
  }
  return out;
}

TEST(Rewriting, TakesTheLineEndOfTheLineReplaced) {
  const struct {
    std::string script;
    std::string usual;
  } scripts[] = {{"[Events]\r\nx\n", "\r\n"},
                 {"[Events]\nx\r\n", "\n"},
                 {"[Events]", "\r\n"},
                 {"[Events]\r", "\r\n"},
                 {"", "\r\n"}};
  for (const auto& c : scripts) {
    SCOPED_TRACE(c.script);
    script::TSubtitleFile file;
    file.AddText(c.script);
    EXPECT_EQ(UsualLineEnd(file), c.usual);
  }
  EXPECT_EQ(RebuiltLineEnd("x\r\n", "\n"), "\r\n");
  EXPECT_EQ(RebuiltLineEnd("x\n", "\r\n"), "\n");
  EXPECT_EQ(RebuiltLineEnd("x", "\n"), "\n");
  EXPECT_EQ(RebuiltLineEnd("x\r", "\n"), "\n");  // a CR alone ends no line
}

// The occurrence's lines end in CR LF, LF and nothing (the last line of the file): each
// replacement takes the end of the line it replaces, items after the occurrence the end of its
// last line, and a line without one the script's usual LF.
TEST(Rewriting, ReplacesOccurrencesInEachMode) {
  const std::vector<std::string> occurrence = {
      Event("0:10:00.00", "0:10:02.00", "Old one") + "\r\n",
      Event("0:10:03.00", "0:10:04.00", "Old two") + "\n",
      Event("0:10:05.00", "0:10:06.00", "Old three"),
  };
  const std::string newA = Event("0:01:00.00", "0:01:02.00", "New, A", "Sign");
  const std::string newB = Event("0:01:03.00", "0:01:04.50", "New B", "Sign");
  struct Case {
    std::string name;
    Replacement mode;
    std::vector<std::string> replace;
    std::string expected;
  };
  const Case cases[] = {
      {"text only, shorter: the first line takes the text, the rest go",
       Replacement::TextOnly,
       {newA},
       Event("0:10:00.00", "0:10:02.00", "New, A") + "\r\n"},
      {"text only, a blank item empties the Text",
       Replacement::TextOnly,
       {"", newB},
       Event("0:10:00.00", "0:10:02.00", "") + "\r\n" + Event("0:10:03.00", "0:10:04.00", "New B") +
           "\n"},
      {"text and format: the matched times, the item's fields",
       Replacement::TextAndFormat,
       {newA, newB},
       Event("0:10:00.00", "0:10:02.00", "New, A", "Sign") + "\r\n" +
           Event("0:10:03.00", "0:10:04.00", "New B", "Sign") + "\n"},
      {"text and format: a blank item writes an empty line",
       Replacement::TextAndFormat,
       {newA, "", newB},
       Event("0:10:00.00", "0:10:02.00", "New, A", "Sign") + "\r\n\n" +
           Event("0:10:05.00", "0:10:06.00", "New B", "Sign") + "\n"},
      {"timing shift, longer: the block placed at the occurrence's start",
       Replacement::TimingShift,
       {newA, newB, newA, newB},
       Event("0:10:00.00", "0:10:02.00", "New, A", "Sign") + "\r\n" +
           Event("0:10:03.00", "0:10:04.50", "New B", "Sign") + "\n" +
           Event("0:10:00.00", "0:10:02.00", "New, A", "Sign") + "\n" +
           Event("0:10:03.00", "0:10:04.50", "New B", "Sign") + "\n"},
      {"timing shift: a blank item writes an empty line",
       Replacement::TimingShift,
       {newA, "", newB},
       Event("0:10:00.00", "0:10:02.00", "New, A", "Sign") + "\r\n\n" +
           Event("0:10:03.00", "0:10:04.50", "New B", "Sign") + "\n"},
      {"full match, longer: extra items after the last line",
       Replacement::FullMatch,
       {newA, newB, "", newA},
       newA + "\r\n" + newB + "\n" + "\n" + newA + "\n"},
      {"full match, shorter", Replacement::FullMatch, {newB}, newB + "\r\n"},
      {"empty Replace block: the occurrence is deleted", Replacement::FullMatch, {}, ""},
      {"empty Replace block in the timing-shift mode", Replacement::TimingShift, {""}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReplaceOccurrence(occurrence, c.replace, c.mode), c.expected);
  }
}

TEST(Rewriting, PlacesTheTimingShiftBlockByEachOccurrencesOwnFirstLine) {
  Block block = {Event("0:01:00.00", "0:01:02.00", "a"), Event("0:01:03.00", "0:01:04.00", "b")};
  PrepareBlock(block, ReplaceBlockKind(Replacement::TimingShift));
  std::string out;
  std::int32_t blockOffset = 0;
  WriteReplacement(out, Event("0:10:00.00", "0:10:01.00", "x"), "\r\n", block, 0, 1,
                   Replacement::TimingShift, blockOffset);
  WriteReplacement(out, Event("0:20:00.00", "0:20:01.00", "x"), "\r\n", block, 0, 1,
                   Replacement::TimingShift, blockOffset);
  EXPECT_EQ(out, Event("0:10:00.00", "0:10:02.00", "a") + "\r\n" +
                     Event("0:10:03.00", "0:10:04.00", "b") + "\r\n" +
                     Event("0:20:00.00", "0:20:02.00", "a") + "\r\n" +
                     Event("0:20:03.00", "0:20:04.00", "b") + "\r\n");
}

TEST(Rewriting, ShiftsTheTimesTheModeNamesWithClamping) {
  const std::string line = Event("0:00:01.00", "0:00:04.50", "x, y") + "\n";
  struct Case {
    Times mode;
    std::int32_t shift;
    std::string expected;
  };
  const Case cases[] = {
      {Times::StartAndEnd, 150, Event("0:00:02.50", "0:00:06.00", "x, y")},
      {Times::StartOnly, 150, Event("0:00:02.50", "0:00:04.50", "x, y")},
      {Times::EndOnly, 150, Event("0:00:01.00", "0:00:06.00", "x, y")},
      {Times::StartAndEnd, -200, Event("0:00:00.00", "0:00:02.50", "x, y")},
      {Times::StartOnly, 500, Event("0:00:06.00", "0:00:04.50", "x, y")},
      {Times::StartAndEnd, -500, Event("0:00:00.00", "0:00:00.00", "x, y")},
      {Times::StartAndEnd, 3'600'000, Event("9:59:59.99", "9:59:59.99", "x, y")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode) * 1000000 + c.shift);
    std::string out;
    WriteShiftedLine(out, line, "\n", c.mode, c.shift);
    EXPECT_EQ(out, c.expected + "\n");
  }
}

}  // namespace
}  // namespace nosk::engine
