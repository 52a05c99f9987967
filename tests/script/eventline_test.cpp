#include "script/eventline.h"

#include <gtest/gtest.h>

#include <string>

namespace nosk::script {
namespace {

const std::string L = "Dialogue: 0,0:00:01.00,0:00:04.50,Default,,0,0,0,,Hello, world\r\n";
const std::string M = "Dialogue: 0,1:02:03.04,1:02:05.00,Default,,0,0,0,,Old";
const std::string C = "Comment: 2,0:00:01.00,0:00:02.00,Sign,,0,0,0,,x";
const std::string X = "Dialogue: 0,0:00:0x.00,0:00:02.00,Default,,0,0,0,,Hi";
const std::string E = "Dialogue: 0,,,Default,,0,0,0,,Hi";

TEST(EventLines, RecognisesEventLinesLenientlyAndStrictly) {
  struct Case {
    std::string name;
    std::string line;
    bool lenient;
    bool strict;
  };
  const Case cases[] = {
      {"L", L, true, true},
      {"C", C, true, true},
      {"L without the space after the colon",
       "Dialogue:0,0:00:01.00,0:00:04.50,Default,,0,0,0,,Hello, world", true, true},
      {"Layer 1, 12, -3", "Comment: -3,0:00:01.00,0:00:02.00,Sign,,0,0,0,,x", true, true},
      {"Layer 00", "Comment: 00,0:00:01.00,0:00:02.00,Sign,,0,0,0,,x", true, false},
      {"Layer Marked=0", "Comment: Marked=0,0:00:01.00,0:00:02.00,Sign,,0,0,0,,x", true, false},
      {"empty Layer", "Comment: ,0:00:01.00,0:00:02.00,Sign,,0,0,0,,x", true, false},
      {"Layer x", "Comment: x,0:00:01.00,0:00:02.00,Sign,,0,0,0,,x", true, false},
      {"one centisecond digit", "Dialogue: 0,0:00:01.0,0:00:02.00,Default,,0,0,0,,x", true, false},
      {"invalid End", "Dialogue: 0,0:00:01.00,0:00:2.00,Default,,0,0,0,,x", true, false},
      {"eight commas", "Dialogue: 0,0:00:01.00,0:00:02.00,Default,0,0,0,,x", false, false},
      {"space before the key", " Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,x", false,
       false},
      {"key in lower case", "dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,x", false, false},
      {"nine commas anywhere", "Dialogue:,,,,,,,,,", true, false},
      {"commas only in the Text", "Dialogue: junk text,,,,,,,,,", true, false},
      {"a style line", "Style: Default,Arial,20,&H00FFFFFF,&H000000FF,0,0,0,0,100", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IsEventLine(c.line, false), c.lenient);
    EXPECT_EQ(IsEventLine(c.line, true), c.strict);
  }
}

TEST(EventLines, FindsAndExtractsFields) {
  EXPECT_EQ(FieldStart(L, 1), 11);
  EXPECT_EQ(FieldStart(L, 2), 13);
  EXPECT_EQ(FieldStart(L, 4), 35);
  EXPECT_EQ(FieldStart(L, 0), 11);
  EXPECT_EQ(FieldStart("no colon, here", 2), 15);
  EXPECT_EQ(FieldStart("Dialogue: 0,1", 4), 14);

  EXPECT_EQ(GetField(L, 2), "0:00:01.00");
  EXPECT_EQ(GetField(L, 5), "");
  EXPECT_EQ(GetField(L, 10), "Hello, world");
  EXPECT_EQ(GetField(L, 11), " world");  // field 11 starts after the tenth comma
  EXPECT_EQ(GetField("Dialogue: 0,1", 4), "");
  EXPECT_EQ(GetField("Dialogue: 0,1\r\n", 2), "1");

  const std::string withoutSpace = "Dialogue:0,0:00:01.00,0:00:04.50,Default,,0,0,0,,Hello, world";
  for (std::int32_t n = 1; n <= 10; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(GetField(withoutSpace, n), GetField(L, n));
  }
}

TEST(EventLines, StripsOneLineEnd) {
  EXPECT_EQ(StripLineEnd("a\r\n"), "a");
  EXPECT_EQ(StripLineEnd("a\n"), "a");
  EXPECT_EQ(StripLineEnd("a\r"), "a");
  EXPECT_EQ(StripLineEnd("a\n\n"), "a\n");
  EXPECT_EQ(StripLineEnd("a \r\n"), "a ");
  EXPECT_EQ(StripLineEnd(""), "");
}

TEST(EventLines, MasksStartAndEndTimes) {
  EXPECT_EQ(MaskEventTimes(L), "Dialogue: 0,0:00:00.00,0:00:00.00,Default,,0,0,0,,Hello, world");
  EXPECT_EQ(MaskEventTimes(X), "Dialogue: 0,0:00:0x0:00:00.00,0:00:00.00,Default,,0,0,0,,Hi");
  EXPECT_EQ(MaskEventTimes(E), "Dialogue: 0,0:00:00.00,0:00:00.00,Default,,0,0,0,,Hi");
  // A line that ends inside a time field drops the run collected there; a terminator is a
  // character outside the time characters, so it writes the run out first.
  EXPECT_EQ(MaskEventTimes("Dialogue: 0,0:00:01.00"), "Dialogue: 0,");
  EXPECT_EQ(MaskEventTimes("Dialogue: 0,0:00:01.00\r\n"), "Dialogue: 0,0:00:01.00");
  EXPECT_EQ(MaskEventTimes("Dialogue: 0,1:00:00.00,0:0x\r\n"), "Dialogue: 0,0:00:00.00,0:0x");
  EXPECT_EQ(MaskEventTimes("no colon\r\n"), "no colon");
  EXPECT_EQ(MaskEventTimes("Key: no comma\n"), "Key: no comma");

  std::string reused = "left over";
  MaskEventTimesInto(reused, M);
  EXPECT_EQ(reused, "Dialogue: 0,0:00:00.00,0:00:00.00,Default,,0,0,0,,Old");
}

TEST(EventLines, ComparisonFormsIgnoreTheLineEnd) {
  const std::string lf = "Dialogue: 0,0:00:01.00,0:00:04.50,Default,,0,0,0,,Hello, world\n";
  EXPECT_EQ(GetField(lf, 10), GetField(L, 10));
  EXPECT_EQ(MaskEventTimes(lf), MaskEventTimes(L));
  EXPECT_EQ(StripLineEnd(lf), StripLineEnd(L));
}

TEST(EventLines, CommentAndDialogueShareOnlyTheTextForm) {
  const std::string dialogue = "Dialogue: 2,0:00:01.00,0:00:02.00,Sign,,0,0,0,,x";
  EXPECT_EQ(GetField(C, 10), GetField(dialogue, 10));
  EXPECT_NE(MaskEventTimes(C), MaskEventTimes(dialogue));
  EXPECT_NE(StripLineEnd(C), StripLineEnd(dialogue));
}

TEST(EventLines, RebuildsTimesAndEndsWithCrLf) {
  EXPECT_EQ(ShiftEventLine(L, 150),
            "Dialogue: 0,0:00:02.50,0:00:06.00,Default,,0,0,0,,Hello, world\r\n");
  EXPECT_EQ(ShiftEventTimes(L, 150, true, false),
            "Dialogue: 0,0:00:02.50,0:00:04.50,Default,,0,0,0,,Hello, world\r\n");
  EXPECT_EQ(ShiftEventTimes(L, 150, false, true),
            "Dialogue: 0,0:00:01.00,0:00:06.00,Default,,0,0,0,,Hello, world\r\n");
  EXPECT_EQ(ShiftEventLine(L, -200),
            "Dialogue: 0,0:00:00.00,0:00:02.50,Default,,0,0,0,,Hello, world\r\n");
  EXPECT_EQ(CopyEventTimes(M, L, 0),
            "Dialogue: 0,1:02:03.04,1:02:05.00,Default,,0,0,0,,Hello, world\r\n");
  // A shifted time is written canonically even by 0; one not shifted keeps its text.
  EXPECT_EQ(ShiftEventLine("Dialogue: 0,0:1-:00.00,0:00:02.00,A,,0,0,0,,x\n", 0),
            "Dialogue: 0,0:01:00.00,0:00:02.00,A,,0,0,0,,x\r\n");
  EXPECT_EQ(ShiftEventTimes("Comment: 0,-:00:00.00,0:00:02.00,A,,0,0,0,,x", 100, false, true),
            "Comment: 0,-:00:00.00,0:00:03.00,A,,0,0,0,,x\r\n");
  // The Text field's bytes, whatever they are, pass through.
  EXPECT_EQ(ShiftEventLine("Dialogue: 0,0:00:01.00,0:00:02.00,A,,0,0,0,,\xD0\x9F\xFF,\x01\n", 100),
            "Dialogue: 0,0:00:02.00,0:00:03.00,A,,0,0,0,,\xD0\x9F\xFF,\x01\r\n");
}

// The extension in any letter case: EPISODE.ASS is a script, as other tools take it.
TEST(EventLines, RecognisesScriptFileNamesByTheirExtension) {
  const std::pair<std::string_view, bool> cases[] = {
      {"C:\\subs\\ep01.ass", true},
      {"a.b.ssa", true},
      {"/home/me/subs/ep01.ass", true},
      {"ep01.ASS", true},
      {"EP01.Ssa", true},
      {"ep01.asx", false},
      {"ep01.ass.bak", false},
      {"ep01", false},
      {"ep01.as", false},
      {"/subs.ass/ep01", false},
      {"/subs/", false},
      {"", false},
      {"/subs/.ass", true},
      {"/subs/ep01.ass ", false},
  };
  for (const auto& [path, expected] : cases) {
    SCOPED_TRACE(path);
    EXPECT_EQ(IsScriptFileName(path), expected);
  }
}

}  // namespace
}  // namespace nosk::script
