// nosk-cli text: a word or a pattern found and replaced inside the Text of event lines, override
// tags left alone; each option tied to the bytes it writes.
#include <gtest/gtest.h>

#include "tests/common/episode.h"
#include "tests/common/iconv.h"
#include "tests/common/process.h"
#include "tests/common/tempfolder.h"

namespace nosk::cli {
namespace {

namespace fs = std::filesystem;
using testsupport::Iconv;
using testsupport::ProcessResult;
using testsupport::ReadBytes;
using testsupport::RunProcess;
using testsupport::TempFolder;
using testsupport::WriteBytes;

const std::string kCli = NOSK_CLI;
const std::string kHead =
    "[Script Info]\r\nScriptType: v4.00+\r\n\r\n[Events]\r\n"
    "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n";
const std::string kLead = "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,";

// One event line per text, CR LF each, the last one LF.
std::string Script(const std::vector<std::string>& texts) {
  std::string script = kHead;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    script += kLead + texts[i] + (i + 1 < texts.size() ? "\r\n" : "\n");
  }
  return script;
}

// A script, and nosk-cli text run on it.
struct Episode : testsupport::Episode {
  using testsupport::Episode::Episode;
  ProcessResult Run(std::vector<std::string> arguments) const {
    arguments.insert(arguments.begin(), "text");
    return testsupport::Episode::Run(std::move(arguments));
  }
};

TEST(TextReplace, EachOptionWritesItsBytes) {
  const struct {
    std::vector<std::string> options;
    std::vector<std::string> before;
    std::vector<std::string> after;
    const char* count;
  } cases[] = {
      {{"--find", "Hoshi-chan", "--with", "Hoshi"},
       {"Hoshi-chan! Hoshi-chan?", "hoshi-chan"},
       {"Hoshi! Hoshi?", "hoshi-chan"},
       "2"},
      {{"--find", "hoshi", "--with", "Star", "--ignore-case"},
       {"HOSHI and Hoshi", "x"},
       {"Star and Star", "x"},
       "2"},
      {{"--find", "привет", "--with", "здравствуй", "--ignore-case"},
       {"ПРИВЕТ, Привет", "x"},
       {"здравствуй, здравствуй", "x"},
       "2"},
      {{"--find", "cat", "--with", "dog", "--word"},
       {"cat, category, a cat.", "кошкаcat"},
       {"dog, category, a dog.", "кошкаcat"},
       "2"},
      {{"--find", "(\\w+)-(\\w+)", "--with", "$2 $1", "--regex"},
       {"Hoshi-chan", "x"},
       {"chan Hoshi", "x"},
       "1"},
      {{"--find", "(?<name>\\w+)-san", "--with", "${name}-sama", "--regex"},
       {"Mei-san, Aki-san", "x"},
       {"Mei-sama, Aki-sama", "x"},
       "2"},
      {{"--find", "(\\d+) yen", "--with", "$$$1", "--regex"}, {"500 yen", "x"}, {"$500", "x"}, "1"},
      {{"--find", " (TL note)", "--with", ""}, {"Go (TL note)", "x"}, {"Go", "x"}, "1"},
      // Tags are never searched; a match beside one is, a match a tag splits is not.
      {{"--find", "Hoshi-chan", "--with", "Hoshi"},
       {"{\\i1}Hoshi-chan{\\i0}", "Hoshi{\\i1}-chan", "{\\pos(1,2)Hoshi-chan"},
       {"{\\i1}Hoshi{\\i0}", "Hoshi{\\i1}-chan", "{\\pos(1,2)Hoshi"},
       "2"},
      {{"--find", "pos", "--with", "move"},
       {"{\\pos(1,2)}pos", "x"},
       {"{\\pos(1,2)}move", "x"},
       "1"},
      {{"--find", "pos", "--with", "move", "--tags"},
       {"{\\pos(1,2)}pos", "x"},
       {"{\\move(1,2)}move", "x"},
       "2"},
      {{"--find", "\\N", "--with", " "}, {"one\\Ntwo", "x"}, {"one two", "x"}, "1"},
  };
  for (const auto& c : cases) {
    Episode episode(Script(c.before));
    const ProcessResult r = episode.Run(c.options);
    const std::string shown = testing::PrintToString(c.options);
    EXPECT_EQ(r.exitStatus, 0) << shown << r.err;
    EXPECT_EQ(r.out, episode.Result(c.count)) << shown;
    EXPECT_EQ(ReadBytes(episode.path), Script(c.after)) << shown;
  }
}

// Copies of FIND outside the Text fields (a header, a style, the Name field, a font) are no
// matches.
TEST(TextReplace, CountsWithoutAReplacementAndWritesNothingWithoutAMatch) {
  std::string script = Script({"Hoshi, Hoshi", "Hoshi"});
  script.insert(script.find("ScriptType"), "Title: Hoshi\r\n");
  script.insert(script.find("Dialogue"),
                "Dialogue: 0,0:00:01.00,0:00:02.00,Hoshi,Hoshi,0,0,0,,none\r\n");
  script += "[Fonts]\r\nfontname: Hoshi.ttf\r\nHoshiHoshi\r\n";
  Episode episode(script);
  const std::string before = ReadBytes(episode.path);
  ProcessResult r = episode.Run({"--find", "Hoshi"});
  EXPECT_EQ(r.out, episode.Result("3"));
  r = episode.Run({"--find", "Mei", "--with", "Aki"});
  EXPECT_EQ(r.out, episode.Result("0"));
  EXPECT_EQ(ReadBytes(episode.path), before);
  EXPECT_FALSE(fs::exists(episode.folder / "Nosk_backup"));
}

TEST(TextReplace, CommentLinesAndExcludedStylesAreLeftAlone) {
  const std::string script = kHead +
                             "Comment: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Hoshi-chan\r\n"
                             "Dialogue: 0,0:00:01.00,0:00:02.00,Sign,,0,0,0,,Hoshi-chan\r\n"
                             "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Hoshi-chan\r\n";
  const struct {
    std::vector<std::string> options;
    std::vector<bool> changed;  // Comment, Sign, Default
  } cases[] = {
      {{}, {false, true, true}},
      {{"--include-comments"}, {true, true, true}},
      {{"--skip-style", "Sign"}, {false, false, true}},
      {{"--include-comments", "--only-style", "Sign"}, {false, true, false}},
  };
  for (const auto& c : cases) {
    Episode episode(script);
    std::vector<std::string> options = {"--find", "Hoshi-chan", "--with", "Hoshi"};
    options.insert(options.end(), c.options.begin(), c.options.end());
    const ProcessResult r = episode.Run(options);
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    std::string expected = kHead;
    const char* lines[] = {"Comment: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,",
                           "Dialogue: 0,0:00:01.00,0:00:02.00,Sign,,0,0,0,,",
                           "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,"};
    for (int i = 0; i < 3; ++i) {
      expected += std::string(lines[i]) + (c.changed[i] ? "Hoshi" : "Hoshi-chan") + "\r\n";
    }
    EXPECT_EQ(ReadBytes(episode.path), expected) << testing::PrintToString(c.options);
  }
}

// A script in Windows-1251 is matched as the text it is and keeps its code page; a replacement
// the code page cannot hold is a reason, and nothing is written.
TEST(TextReplace, MatchesAScriptInItsOwnCodePage) {
  const std::string utf8 = Script({"Привет, Хоши-тян!", "Пока"});
  Episode episode(Iconv(utf8, "UTF-8", "CP1251"));
  ProcessResult r = episode.Run(
      {"--find", "хоши-тян", "--with", "Хоши", "--ignore-case", "--codepage", "windows-1251"});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.out, episode.Result("1"));
  EXPECT_EQ(ReadBytes(episode.path), Iconv(Script({"Привет, Хоши!", "Пока"}), "UTF-8", "CP1251"));
  const std::string before = ReadBytes(episode.path);
  r = episode.Run({"--find", "Пока", "--with", "またね", "--codepage", "windows-1251"});
  EXPECT_EQ(r.exitStatus, 1);
  EXPECT_EQ(r.out, episode.Result("Error"));
  EXPECT_EQ(ReadBytes(episode.path), before);
}

TEST(TextReplace, RefusesPatternsThatCannotRun) {
  Episode episode(Script({"x"}));
  const struct {
    std::vector<std::string> options;
    const char* reason;
  } cases[] = {
      {{"--find", "(ab", "--regex"},
       "The pattern is not valid at offset 3: missing closing parenthesis"},
      {{"--find", "a*", "--regex"}, "The pattern would match an empty text."},
      {{"--find", "\\b", "--regex"}, "The pattern would match an empty text."},
      {{"--find", "(a)", "--regex", "--with", "$2"}, "names $2, a group the pattern does not have"},
      {{"--find", "(a)", "--regex", "--with", "${nope}"}, "names ${nope}, a group"},
      {{"--find", "a", "--regex", "--with", "5$"},
       "The replacement's $ at offset 1 names no group"},
      {{"--find", ""}, "the text to find"},
      {{"--with", "x"}, "give the text to find with --find or --find-file"},
  };
  for (const auto& c : cases) {
    const ProcessResult r = episode.Run(c.options);
    EXPECT_EQ(r.exitStatus, 2) << c.reason;
    EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
  }
  EXPECT_EQ(ReadBytes(episode.path), Script({"x"}));
}

// FIND and REPLACEMENT from files; the dry run's diff makes what the run writes; undo takes it
// back.
TEST(TextReplace, DryRunDiffAndUndoAgreeWithTheRun) {
  const std::string before = Script({"Hoshi-chan ran.", "{\\an8}Hoshi-chan", "nothing"});
  Episode episode(before);
  WriteBytes(episode.folder / "find.txt", "Hoshi-chan\n");
  WriteBytes(episode.folder / "with.txt", "Hoshi\r\n");
  const std::vector<std::string> options = {"--find-file", (episode.folder / "find.txt").string(),
                                            "--with-file", (episode.folder / "with.txt").string()};
  std::vector<std::string> dry = options;
  dry.insert(dry.end(), {"--dry-run", "--diff"});
  const ProcessResult preview = episode.Run(dry);
  EXPECT_EQ(preview.exitStatus, 0) << preview.err;
  TempFolder patched;
  WriteBytes(patched / "episode.ass", before);
  WriteBytes(patched / "diff", preview.out);
  EXPECT_EQ(RunProcess("/usr/bin/patch", {"--binary", "-s", "-d", patched.path().string(), "-i",
                                          (patched / "diff").string(), "episode.ass"})
                .exitStatus,
            0);
  EXPECT_EQ(episode.Run(options).out, episode.Result("2"));
  const std::string after = Script({"Hoshi ran.", "{\\an8}Hoshi", "nothing"});
  EXPECT_EQ(ReadBytes(episode.path), after);
  EXPECT_EQ(ReadBytes(patched / "episode.ass"), after);
  EXPECT_EQ(RunProcess(kCli, {"undo", "--", episode.path.string()}).exitStatus, 0);
  EXPECT_EQ(ReadBytes(episode.path), before);
}

}  // namespace
}  // namespace nosk::cli
