#include "filelist/wildcard.h"

#include <gtest/gtest.h>

#include <QString>

namespace nosk::filelist {
namespace {

TEST(Wildcards, AreStarAndQuestionMarkOnly) {
  const struct {
    const char* name;
    const char* pattern;
    bool matches;
  } cases[] = {
      {"Hoshi S01E01 [Kuro].ass", "Hoshi S01E01 [Kuro].ass", true},
      {"Hoshi S01E01 K.ass", "Hoshi S01E01 [Kuro].ass", false},  // brackets are no class
      {"Hoshi S01E01 [Kuro].ass", "*[Kuro]*.ass", true},
      {"Hoshi S01E02 [Kuro].ass", "Hoshi S01E0? *.ass", true},
      {"a.ass", "*.ass", true},
      {".ass", "*.ass", true},  // a star takes nothing too
      {"a.ssa", "*.ass", false},
      {"a.ASS", "*.ass", false},  // case matters
      {"ab", "a?", true},
      {"a", "a?", false},
      {"abc", "a?", false},
      {"aXbXc", "a*b*c", true},
      {"aXbXd", "a*b*c", false},
      {"mississippi", "*sip*", true},
      {"abcabd", "*abd", true},
      {"", "*", true},
      {"", "", true},
      {"x", "", false},
      {"x", "**", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " ~ " + c.pattern);
    EXPECT_EQ(MatchesWildcard(QString::fromUtf8(c.name), QString::fromUtf8(c.pattern)), c.matches);
  }
  EXPECT_FALSE(HasWildcard(u"Hoshi S01E01 [Kuro].ass"));
  EXPECT_TRUE(HasWildcard(u"*.ass"));
  EXPECT_TRUE(HasWildcard(u"e0?.ass"));
}

}  // namespace
}  // namespace nosk::filelist
