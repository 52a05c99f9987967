#include "engine/scriptdiff.h"

#include <gtest/gtest.h>

namespace nosk::engine {
namespace {

// A script of lines "l1\n" .. "lN\n".
script::TSubtitleFile Numbered(int lines) {
  script::TSubtitleFile file;
  std::string text;
  for (int i = 1; i <= lines; ++i) text += "l" + std::to_string(i) + "\n";
  file.AddText(text);
  return file;
}

std::string Line(int n) { return "l" + std::to_string(n) + "\n"; }

TEST(ScriptDiffs, NumberHunksAndShareContextAsUnifiedDiffsDo) {
  const script::TSubtitleFile file = Numbered(20);
  struct Change {
    int line;  // 0-based
    std::string newText;
  };
  struct Case {
    std::string name;
    std::vector<Change> changes;
    std::vector<std::string> headers;  // "@@ -a,b +c,d @@" of each hunk
  };
  const Case cases[] = {
      {"one line changed", {{9, "new\n"}}, {"@@ -7,7 +7,7 @@"}},
      {"at the start", {{0, "new\n"}}, {"@@ -1,4 +1,4 @@"}},
      {"at the end", {{19, "new\n"}}, {"@@ -17,4 +17,4 @@"}},
      {"a line deleted", {{9, ""}}, {"@@ -7,7 +7,6 @@"}},
      {"two lines for one", {{9, "a\nb\n"}}, {"@@ -7,7 +7,8 @@"}},
      {"six apart: one hunk", {{2, "x\n"}, {9, "y\n"}}, {"@@ -1,13 +1,13 @@"}},
      {"seven apart: two hunks", {{2, "x\n"}, {10, "y\n"}}, {"@@ -1,6 +1,6 @@", "@@ -8,7 +8,7 @@"}},
      {"later hunks count what earlier ones added",
       {{2, "x\nx\n"}, {15, ""}},
       {"@@ -1,6 +1,7 @@", "@@ -13,7 +14,6 @@"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ChangeCollector collector;
    for (const Change& change : c.changes) {
      collector.Changed(change.line, Line(change.line + 1), change.newText);
    }
    const std::vector<DiffHunk> hunks = collector.Hunks(file);
    std::vector<std::string> headers;
    for (const DiffHunk& hunk : hunks) {
      headers.push_back("@@ -" + std::to_string(hunk.oldStart) + "," +
                        std::to_string(hunk.oldCount) + " +" + std::to_string(hunk.newStart) + "," +
                        std::to_string(hunk.newCount) + " @@");
    }
    EXPECT_EQ(headers, c.headers);
  }
}

TEST(ScriptDiffs, KeepLineEndsAndMarkALastLineWithoutOne) {
  script::TSubtitleFile file;
  file.AddText("a\r\nb\r\nc");
  ChangeCollector collector;
  collector.Changed(1, "b\r\n", "B\r\n");
  collector.Changed(2, "c", "C\r\n");
  EXPECT_EQ(UnifiedDiff("x.ass", collector.Hunks(file)),
            "--- x.ass\n+++ x.ass\n@@ -1,3 +1,3 @@\n a\r\n-b\r\n-c\n\\ No newline at end of file\n"
            "+B\r\n+C\r\n");
}

}  // namespace
}  // namespace nosk::engine
