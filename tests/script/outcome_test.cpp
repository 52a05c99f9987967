#include "script/outcome.h"

#include <gtest/gtest.h>

namespace nosk::script {
namespace {

// A path stands as it is unless a byte of it could cut or forge a line of output; then it is
// quoted and escaped as git quotes paths.
TEST(PathTexts, AreQuotedOnlyWhereANameCouldCutALine) {
  const std::pair<std::string, std::string> cases[] = {
      {"/s/Hoshi S01E01 [Kuro].ass", "/s/Hoshi S01E01 [Kuro].ass"},
      {"/s/Звезда 01.ass", "/s/Звезда 01.ass"},
      {"/s/a\nError\tb.ass", R"("/s/a\nError\tb.ass")"},
      {"/s/a\rb\x01\x7F.ass", R"("/s/a\rb\001\177.ass")"},
      {"/s/say \"hi\" \\o/.ass", R"("/s/say \"hi\" \\o/.ass")"},
      {"/s/caf\xE9.ass", R"("/s/caf\351.ass")"},    // Latin-1, not UTF-8
      {"/s/\xE6\x97.ass", R"("/s/\346\227.ass")"},  // a cut sequence
      {"/s/\xC0\xAF.ass", R"("/s/\300\257.ass")"},  // an overlong "/"
      {"/s/\a\b\v\f.ass", R"("/s/\a\b\v\f.ass")"},
  };
  for (const auto& [path, expected] : cases) {
    SCOPED_TRACE(expected);
    EXPECT_EQ(PathText(path), expected);
    EXPECT_EQ(UnquotedText(expected), path);  // what the journal reads back
  }
}

}  // namespace
}  // namespace nosk::script
