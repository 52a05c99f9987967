#include "script/subtitlefile.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace nosk::script {
namespace {

TEST(SubtitleFile, CutsTextIntoLinesKeepingTheirTerminators) {
  struct Case {
    std::string name;
    std::string text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"empty", "", {""}},
      {"no terminator", "abc", {"abc"}},
      {"CR LF", "a\r\nb\r\n", {"a\r\n", "b\r\n", ""}},
      {"LF", "a\nb\n", {"a\n", "b\n", ""}},
      {"mixed, no final terminator", "a\r\nb\nc", {"a\r\n", "b\n", "c"}},
      {"lone CR is no terminator", "a\rb\r", {"a\rb\r"}},
      {"NUL kept in its line", std::string("a\0b\nc", 5), {std::string("a\0b\n", 4), "c"}},
      {"blank lines", "\n\n", {"\n", "\n", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TSubtitleFile file;
    std::vector<std::size_t> progress;
    script::ByteBuffer buffer;
    buffer.Append(c.text);
    file.AddText(std::move(buffer), [&](std::size_t done) { progress.push_back(done); });
    ASSERT_EQ(file.LineCount(), static_cast<std::int32_t>(c.lines.size()));
    for (std::int32_t i = 0; i < file.LineCount(); ++i) EXPECT_EQ(file.GetLine(i), c.lines[i]);
    EXPECT_EQ(file.GetLines(0, file.LineCount()), c.text);
    // Told as the cutting goes, every 64 KB or so, and once at the end with every byte.
    ASSERT_FALSE(progress.empty());
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_LE(progress.size(), c.text.size() / (64 * 1024) + 1);
    EXPECT_EQ(progress.back(), c.text.size());
  }
}

TEST(SubtitleFile, AppendsAfterExistingLinesAndGivesRunsOfLinesAsOnePiece) {
  TSubtitleFile file;
  file.AddLine("[Events]\r\n");
  file.AddText("x\ny");
  file.AddLine("z");
  ASSERT_EQ(file.LineCount(), 4);
  EXPECT_EQ(file.GetLine(1), "x\n");
  EXPECT_EQ(file.GetLine(2), "y");
  EXPECT_EQ(file.GetLines(1, 3), "x\ny");
  EXPECT_EQ(file.GetLines(2, 2), "");
}

TEST(SubtitleFile, AddingALineDiscardsTheEventIndex) {
  TSubtitleFile file;
  file.AddText("[Events]\nDialogue: 0,0:00:00.00,0:00:01.00,A,,0,0,0,,x\n");
  file.SetEventIndex({1});
  ASSERT_EQ(file.EventCount(), 1);
  EXPECT_EQ(file.GetEventLine(0), "Dialogue: 0,0:00:00.00,0:00:01.00,A,,0,0,0,,x\n");
  file.AddLine("more");
  EXPECT_EQ(file.EventCount(), 0);
  file.SetEventIndex({1});
  file.AddText("more");
  EXPECT_EQ(file.EventCount(), 0);
}

}  // namespace
}  // namespace nosk::script
