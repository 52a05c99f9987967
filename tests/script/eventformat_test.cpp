#include "script/eventformat.h"

#include <gtest/gtest.h>

#include "script/eventline.h"

namespace nosk::script {
namespace {

// A Format line's names, compared in any case, spaces trimmed; Text takes the rest of the line.
TEST(EventFormats, AreReadFromTheirFormatLine) {
  const struct {
    const char* line;
    std::vector<std::string> names;
    std::int32_t layer, start, end, style, name, text;
  } cases[] = {
      {"Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text",
       EventFormat::Standard().names, 1, 2, 3, 4, 5, 10},
      {"Format: Layer, Start, End, Style, Text\r\n",
       {"layer", "start", "end", "style", "text"},
       1,
       2,
       3,
       4,
       0,
       5},
      {"Format:start,END ,  Layer,Style,Actor,Text",
       {"start", "end", "layer", "style", "name", "text"},
       3,
       1,
       2,
       4,
       5,
       6},
      {"Format: Marked, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text",
       {"marked", "start", "end", "style", "name", "marginl", "marginr", "marginv", "effect",
        "text"},
       1,
       2,
       3,
       4,
       5,
       10},
      {"Format: Text, Start, End", {"text"}, 0, 0, 0, 0, 0, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const std::optional<EventFormat> format = EventFormat::FromLine(c.line);
    ASSERT_TRUE(format);
    EXPECT_EQ(format->names, c.names);
    EXPECT_EQ(format->layer, c.layer);
    EXPECT_EQ(format->start, c.start);
    EXPECT_EQ(format->end, c.end);
    EXPECT_EQ(format->style, c.style);
    EXPECT_EQ(format->name, c.name);
    EXPECT_EQ(format->text, c.text);
  }
  EXPECT_FALSE(EventFormat::FromLine("Format: Layer, Start, End"));  // no Text
  EXPECT_FALSE(EventFormat::FromLine("Style: Default,Arial"));
  EXPECT_TRUE(EventFormat::FromLine(
                  "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text")
                  ->IsStandard());
}

// A line in another format takes each field by name, Layer and Marked alike, and a field the
// line lacks is empty.
TEST(EventFormats, ProjectLinesByTheNamesOfTheirFields) {
  const EventFormat five = *EventFormat::FromLine("Format: Layer, Start, End, Style, Text");
  const EventFormat ssa = *EventFormat::FromLine(
      "Format: Marked, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text");
  const EventFormat& standard = EventFormat::Standard();
  const std::string line = "Dialogue: 2,0:00:01.00,0:00:02.00,Sign,Aki,0,0,10,,a, b";
  EXPECT_EQ(ProjectEventLine(line, standard, five), "Dialogue: 2,0:00:01.00,0:00:02.00,Sign,a, b");
  EXPECT_EQ(ProjectEventLine(line, standard, ssa),
            "Dialogue: Marked=2,0:00:01.00,0:00:02.00,Sign,Aki,0,0,10,,a, b");
  EXPECT_EQ(ProjectEventLine("Comment: 0,0:00:01.00,0:00:02.00,Sign,x\r\n", five, standard),
            "Comment: 0,0:00:01.00,0:00:02.00,Sign,,,,,,x");
  EXPECT_EQ(ProjectEventLine("Dialogue: Marked=1,0:00:01.00,0:00:02.00,D,,0,0,0,,x", ssa, standard),
            "Dialogue: 1,0:00:01.00,0:00:02.00,D,,0,0,0,,x");
  // Lines in a format with fewer fields are event lines, and their fields are where it says.
  EXPECT_TRUE(IsEventLine("Dialogue: 0,0:00:01.00,0:00:02.00,D,x", true, five));
  EXPECT_FALSE(IsEventLine("Dialogue: 0,0:00:01.00,0:00:02.00,D,x", false, standard));
  EXPECT_TRUE(IsEventLine("Dialogue: Marked=0,0:00:01.00,0:00:02.00,D,,0,0,0,,x", true, ssa));
  EXPECT_FALSE(IsEventLine("Dialogue: 0,0:00:1.00,0:00:02.00,D,x", true, five));
  EXPECT_EQ(FieldOf("Dialogue: 0,0:00:01.00,0:00:02.00,D,x, y\r\n", five.text, five), "x, y");
}

}  // namespace
}  // namespace nosk::script
