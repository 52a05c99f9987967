#include "engine/nearmiss.h"

#include <gtest/gtest.h>

#include "engine/internal/eventindex.h"
#include "engine/internal/searchblock.h"
#include "tests/common/recordinghost.h"

namespace nosk::engine {
namespace {

std::string Event(std::string_view key, std::string_view start, std::string_view text) {
  return std::string(key) + " 0," + std::string(start) + ",0:00:09.00,Default,,0,0,0,," +
         std::string(text);
}

// The nearly-there cases users meet: a trailing space, a Comment line inside the song, one
// changed word; and a block of which no line is there.
TEST(NearMisses, FindWhereTheBlockCameClosestAndWhatDiffers) {
  const std::string song[] = {Event("Dialogue:", "0:00:01.00", "Across the sea of stars"),
                              Event("Dialogue:", "0:00:02.00", "I call your name"),
                              Event("Dialogue:", "0:00:03.00", "Even if we're far apart")};
  struct Case {
    std::string name;
    std::vector<std::string> scriptEvents;
    Matching mode;
    std::int32_t matched;
    std::int32_t differingLine;  // -1: the script ends first
    std::string found;           // the differing span of the script's line
    std::string expected;        // and of the block's
  };
  const Case cases[] = {
      {"a trailing space",
       {Event("Dialogue:", "0:00:00.50", "Hello"), song[0], song[1] + " ", song[2]},
       Matching::FullMatch,
       1,
       3,
       " ",
       ""},
      {"a Comment line inside the song",
       {song[0], Event("Comment:", "0:00:01.50", "TL note"), song[1], song[2]},
       Matching::FullMatch,
       1,
       2,
       "Comment: 0,0:00:01.50,0:00:09.00,Default,,0,0,0,,TL not",
       "Dialogue: 0,0:00:02.00,0:00:09.00,Default,,0,0,0,,I call your nam"},
      {"one changed word, compared as text",
       {song[0], song[1], Event("Dialogue:", "0:00:05.00", "Even if we're far away")},
       Matching::TextOnly,
       2,
       3,
       "way",
       "part"},
      {"the script ends inside the block",
       {song[0], song[1]},
       Matching::FullMatch,
       2,
       -1,
       "",
       song[2]},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text = "[Events]\n";
    for (const std::string& event : c.scriptEvents) text += event + "\n";
    script::TSubtitleFile file;
    file.AddText(text);
    testsupport::RecordingHost host;
    IndexEvents(host, file);
    Block block(std::begin(song), std::end(song));
    PrepareBlock(block, SearchBlockKind(c.mode));
    const NearMiss miss = FindNearMiss(file, block, c.mode);
    EXPECT_TRUE(miss.any);
    EXPECT_EQ(miss.matched, c.matched);
    EXPECT_EQ(miss.differingLine, c.differingLine);
    EXPECT_EQ(miss.found.substr(miss.differenceStart, miss.foundEnd - miss.differenceStart),
              c.found);
    EXPECT_EQ(miss.expected.substr(miss.differenceStart, miss.expectedEnd - miss.differenceStart),
              c.expected);
  }
}

TEST(NearMisses, AreToldWithTheDifferenceMarked) {
  NearMiss miss;
  miss.any = true;
  miss.matched = 1;
  miss.blockLines = 3;
  miss.firstLine = 4;
  miss.differingLine = 5;
  miss.differingItem = 1;
  miss.found = "Звезда far away";
  miss.expected = "Звезда far apart";
  miss.differenceStart = std::string("Звезда far a").size();  // 12 characters, 18 bytes
  miss.foundEnd = miss.found.size();
  miss.expectedEnd = miss.expected.size();
  EXPECT_EQ(DescribeNearMiss(miss),
            "the block was not found; 1 of its 3 lines match from line 5, then line 6 differs "
            "from its line 2:\n"
            "  block:  Звезда far apart\n"
            "  script: Звезда far away\n" +
                std::string(10 + 12, ' ') + "^^^^\n");
}

}  // namespace
}  // namespace nosk::engine
