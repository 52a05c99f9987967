#include "filelist/filegrid.h"

#include <gtest/gtest.h>

namespace nosk::filelist {
namespace {

// Every character is 6 pixels wide, so the room of a column is its width - 6 and n characters
// take 6n pixels.
class SixPixelMeasurer : public TextMeasurer {
 public:
  int TextWidth(const QString& text) const override { return 6 * static_cast<int>(text.size()); }
};

const SixPixelMeasurer kMeasurer;

TEST(FileGrid, ShortensPathsToFitTheColumn) {
  struct Case {
    QString path;
    int width;
    QString displayName;
  };
  const QString episode = R"(C:\Subs\Anime\Season 1\episode01.ass)";
  const QString share = R"(\\server\share\dir\sub\file.ass)";
  const QString longName = R"(C:\a_very_long_file_name_of_a_script.ass)";
  const Case cases[] = {
      {episode, 222, episode},
      {episode, 221, R"(C:\...\Anime\Season 1\episode01.ass)"},
      {episode, 206, R"(C:\...\Season 1\episode01.ass)"},
      {episode, 150, R"(C:\...\episode01.ass)"},
      {episode, 120, R"(C:\...sode01.ass)"},
      {episode, 60, R"(C:\...\episode01.ass)"},
      {share, 190, R"(\\server\share\...\file.ass)"},
      {share, 150, R"(\\server\share\...\file.ass)"},
      {longName, 245, R"(C:\a...script.ass)"},
      {longName, 107, R"(C:\...cript.ass)"},
      {R"(verylongdirectoryname\f.ass)", 80, R"(...\f.ass)"},
      {R"(dir\sub\file_name_long.ass)", 80, R"(dir\sub\..._long.ass)"},
      {R"(C:\dir\)", 20, R"(C:\...dir\)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.toStdString() + " at " + std::to_string(c.width));
    TFileGrid grid(kMeasurer, c.width, 1, QChar('\\'));
    ASSERT_EQ(grid.Add(c.path), 0);
    EXPECT_EQ(grid.GetDisplayName(0).toStdString(), c.displayName.toStdString());
    EXPECT_EQ(grid.GetPath(0), c.path);
  }
}

TEST(FileGrid, ShortensPosixPathsAtTheirSeparator) {
  TFileGrid grid(kMeasurer, 150, 1, QChar('/'));
  grid.Add("/home/mei/subs/season1/episode01.ass");
  EXPECT_EQ(grid.GetDisplayName(0).toStdString(), "/home/.../episode01.ass");
}

TEST(FileGrid, RebuildsDisplayNamesOnlyForAValidNewWidth) {
  TFileGrid grid(kMeasurer, 10, 1, QChar('\\'));
  EXPECT_EQ(grid.ColumnWidth(), 400);
  grid.Add(R"(C:\Subs\Anime\Season 1\episode01.ass)");
  EXPECT_FALSE(grid.SetColumnWidth(19));
  EXPECT_FALSE(grid.SetColumnWidth(2001));
  EXPECT_FALSE(grid.SetColumnWidth(400));
  EXPECT_EQ(grid.GetDisplayName(0).toStdString(), R"(C:\Subs\Anime\Season 1\episode01.ass)");
  EXPECT_TRUE(grid.SetColumnWidth(20));
  EXPECT_EQ(grid.GetDisplayName(0).toStdString(), R"(C:\...\episode01.ass)");
  EXPECT_TRUE(grid.SetColumnWidth(2000));
  EXPECT_EQ(grid.GetDisplayName(0).toStdString(), R"(C:\Subs\Anime\Season 1\episode01.ass)");
}

TEST(FileGrid, OrdersByUtf16CodeUnits) {
  TFileGrid grid(kMeasurer, 400, 1, QChar('\\'));
  for (const char* path : {R"(C:\a.ass.bak)", R"(C:\a.ass)", R"(C:\B.ass)", R"(C:\Z.ass)"}) {
    grid.Add(path);
  }
  grid.Add(QString::fromUtf8("C:\\\xF0\x9F\x98\x80.ass"));  // a surrogate pair: before U+FF01
  grid.Add(QString::fromUtf8("C:\\\xEF\xBC\x81.ass"));
  EXPECT_TRUE(grid.Sort());
  std::vector<std::string> order;
  for (int i = 0; i < grid.Count(); ++i) order.push_back(grid.GetPath(i).toStdString());
  EXPECT_EQ(order, (std::vector<std::string>{R"(C:\B.ass)", R"(C:\Z.ass)", R"(C:\a.ass)",
                                             R"(C:\a.ass.bak)", "C:\\\xF0\x9F\x98\x80.ass",
                                             "C:\\\xEF\xBC\x81.ass"}));
  EXPECT_FALSE(grid.Sort());
}

// On Linux only NUL cannot be in a name: the characters Windows refuses are names here.
TEST(FileGrid, TakesEveryNameButOneWithNulAndRefusesAFullList) {
  TFileGrid grid(kMeasurer, 400, 1);
  EXPECT_EQ(grid.Add(QString("/s/x") + QChar(0) + ".ass"), -1);
  EXPECT_EQ(grid.Count(), 0);
  for (const char* path :
       {"/s/Who Are You?.ass", "/s/x*.ass", "/s/\"x\".ass", "/s/<x>.ass", "/s/x|y.ass"}) {
    SCOPED_TRACE(path);
    EXPECT_TRUE(IsValidPath(path));
  }
  EXPECT_TRUE(IsValidPath("C:\\x.ass"));
  EXPECT_TRUE(IsValidPath(""));
  EXPECT_EQ(grid.Add("/s/x.ass"), 0);
  EXPECT_EQ(grid.Add("/s/x.ass"), 1) << "the duplicate test belongs to the commands";
  EXPECT_TRUE(grid.Contains("/s/x.ass"));
  EXPECT_FALSE(grid.Contains("/s/X.ass"));
  for (int i = 2; i < TFileGrid::kCapacity; ++i) ASSERT_EQ(grid.Add("/s/" + QString::number(i)), i);
  EXPECT_EQ(grid.Add("/s/one-too-many.ass"), -1);
  EXPECT_EQ(grid.Count(), TFileGrid::kCapacity);
}

TEST(FileGrid, ChecksEveryIndex) {
  TFileGrid grid(kMeasurer, 400, 1);
  EXPECT_FALSE(grid.GetChecked(0));
  EXPECT_FALSE(grid.Delete(0));
  grid.Add("/s/a.ass");
  grid.Add("/s/b.ass");
  grid.Add("/s/c.ass");
  EXPECT_TRUE(grid.GetChecked(0)) << "a new entry is checked";
  EXPECT_EQ(grid.Line(0).Values[0], 0);
  EXPECT_FALSE(grid.SetValue(5, 0, 1)) << "one value slot only";
  EXPECT_FALSE(grid.SetValue(5, 3, 0));
  EXPECT_FALSE(grid.SetValue(5, -1, 0));
  EXPECT_TRUE(grid.SetValue(-1, 0, 0));
  EXPECT_EQ(grid.Line(0).Values[0], -1);
  EXPECT_FALSE(grid.ToggleChecked(0));
  EXPECT_TRUE(grid.ToggleChecked(0));
  EXPECT_FALSE(grid.SetChecked(1, false));
  EXPECT_FALSE(grid.GetChecked(1));
  EXPECT_FALSE(grid.SetChecked(3, true));
  EXPECT_FALSE(grid.ToggleChecked(-1));
  EXPECT_FALSE(grid.Swap(0, 0));
  EXPECT_FALSE(grid.Swap(0, 3));
  EXPECT_TRUE(grid.Swap(0, 2));
  EXPECT_EQ(grid.GetPath(0).toStdString(), "/s/c.ass");
  EXPECT_TRUE(grid.Delete(1));
  EXPECT_EQ(grid.Count(), 2);
  EXPECT_EQ(grid.GetPath(1).toStdString(), "/s/a.ass");
  EXPECT_EQ(grid.GetPath(5), QString());
  grid.Clear();
  EXPECT_EQ(grid.Count(), 0);
}

}  // namespace
}  // namespace nosk::filelist
