#include "engine/internal/eventindex.h"

#include <gtest/gtest.h>

#include "tests/common/recordinghost.h"

using nosk::testsupport::RecordingHost;

namespace nosk::engine {
namespace {

TEST(EventIndex, CollectsTheEventLinesOfEveryEventsSection) {
  script::TSubtitleFile file;
  file.AddText(
      "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,before any section\r\n"  // 0
      "[Events]\r\n"                                                              // 1
      "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n"
      "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,one\r\n"  // 3
      "\r\n"
      "; a comment\r\n"
      "Comment: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,two\r\n"  // 6
      "Dialogue: 0,0:00:01.00,0:00:02.00,Default,0,0,0,,eight commas\r\n"
      "[Graphics]\r\n"                                               // does not close the section
      "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,three\r\n"  // 9
      "[Fonts]\r\n"
      "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,after fonts\r\n"
      "[events]\r\n"
      "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,lower-case header\r\n"
      "[Events] again\r\n"
      "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,four\n");  // 15
  RecordingHost host;
  IndexEvents(host, file);
  EXPECT_EQ(file.EventIndex(), (std::vector<std::int32_t>{3, 6, 9, 15}));
  EXPECT_EQ(host.calls[2], "status Data processing. Please, wait...");
  EXPECT_EQ(host.calls.back(), "end");
  EXPECT_FALSE(host.progressVisible);
}

TEST(EventIndex, IsEmptyWithoutAnEventsSection) {
  script::TSubtitleFile file;
  file.AddText("[Script Info]\nDialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,x\n");
  RecordingHost host;
  IndexEvents(host, file);
  EXPECT_EQ(file.EventCount(), 0);
}

}  // namespace
}  // namespace nosk::engine
