// The lines a run sees and the order it puts them in: exclusions by style, actor and kind, the
// full match with offset, and sorting, each option tied to the bytes it writes.
#include <gtest/gtest.h>

#include "tests/common/episode.h"
#include "tests/common/process.h"
#include "tests/common/tempfolder.h"

namespace nosk::cli {
namespace {

namespace fs = std::filesystem;
using testsupport::Episode;
using testsupport::ProcessResult;
using testsupport::ReadBytes;
using testsupport::RunProcess;
using testsupport::TempFolder;
using testsupport::WriteBytes;

const std::string kCli = NOSK_CLI;

const std::string kHead =
    "[Script Info]\r\n"
    "ScriptType: v4.00+\r\n"
    "\r\n"
    "[Events]\r\n"
    "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n";

// Four event lines out of order, of two styles (one spelt with libass's leading *), two actors
// and none, one a Comment, with CR LF and LF ends and a last line without one.
struct EventLine {
  std::string text;     // as in the script, with its line end
  std::string shifted;  // moved on by one second
};
const EventLine kB = {"Dialogue: 0,0:00:05.00,0:00:06.00,Default,Aki,0,0,0,,B\r\n",
                      "Dialogue: 0,0:00:06.00,0:00:07.00,Default,Aki,0,0,0,,B\r\n"};
const EventLine kS = {"Dialogue: 0,0:00:01.00,0:00:02.00,Sign,,0,0,0,,{\\pos(1,2)}S\n",
                      "Dialogue: 0,0:00:02.00,0:00:03.00,Sign,,0,0,0,,{\\pos(1,2)}S\n"};
const EventLine kC = {"Comment: 0,0:00:03.00,0:00:03.00,Default,,0,0,0,,note\r\n",
                      "Comment: 0,0:00:04.00,0:00:04.00,Default,,0,0,0,,note\r\n"};
// A rewritten last line without a line end takes the script's usual one.
const EventLine kA = {"Dialogue: 0,0:00:01.00,0:00:01.50,*Default,Mei,0,0,0,,A",
                      "Dialogue: 0,0:00:02.00,0:00:02.50,*Default,Mei,0,0,0,,A\r\n"};

std::string Script(const std::vector<std::string>& lines) {
  std::string script = kHead;
  for (const std::string& line : lines) script += line;
  return script;
}

const std::string kUnsorted = Script({kB.text, kS.text, kC.text, kA.text});

TEST(Exclusions, AShiftTouchesOnlyTheLinesTheyLeaveIn) {
  const struct {
    std::vector<std::string> options;
    std::vector<bool> moves;  // B, S, C, A
  } cases[] = {
      {{"--skip-style", "Sign"}, {true, false, true, true}},
      {{"--only-style", "Default"}, {true, false, true, true}},  // *Default is Default
      {{"--only-style", "Sign", "--only-style", "Default"}, {true, true, true, true}},
      {{"--only-actor", "Mei"}, {false, false, false, true}},
      {{"--skip-actor", "Aki"}, {false, true, true, true}},
      {{"--skip-comments"}, {true, true, false, true}},
      {{"--only-style", "Default", "--skip-actor", "Mei", "--skip-comments"},
       {true, false, false, false}},
  };
  for (const auto& c : cases) {
    Episode episode(kUnsorted);
    std::vector<std::string> arguments = {"shift", "--by", "1s"};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    const ProcessResult r = episode.Run(arguments);
    const std::string shown = testing::PrintToString(c.options);
    EXPECT_EQ(r.exitStatus, 0) << shown << r.err;
    EXPECT_EQ(r.out, "1\t" + episode.path.string() + "\n") << shown;
    EXPECT_NE(r.err.find("nosk-cli: exclusions in force: "), std::string::npos) << shown << r.err;
    const EventLine* lines[] = {&kB, &kS, &kC, &kA};
    std::vector<std::string> expected;
    for (int i = 0; i < 4; ++i) expected.push_back(c.moves[i] ? lines[i]->shifted : lines[i]->text);
    EXPECT_EQ(ReadBytes(episode.path), Script(expected)) << shown;
  }
}

TEST(Exclusions, AScriptWhoseLinesAreAllLeftOutCountsNothingAndSaysWhy) {
  Episode episode(kUnsorted);
  const ProcessResult r = episode.Run({"shift", "--by", "1s", "--only-style", "Karaoke"});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.out, "0\t" + episode.path.string() + "\n");
  EXPECT_NE(r.err.find("every event line is left out by the exclusions (only the styles Karaoke)"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(ReadBytes(episode.path), kUnsorted);
}

// A Comment line inside an occurrence breaks it, unless Comment lines are left out; then the
// replacement goes around it, and it keeps its bytes and its place.
TEST(Exclusions, ACommentInsideTheBlockIsSkipped) {
  const std::string script = Script({kS.text, kC.text, kB.text});
  Episode episode(script);
  const fs::path block = episode.Block("block.txt", kS.text + kB.text);
  const fs::path with = episode.Block("with.txt", kS.shifted + kB.shifted);
  EXPECT_EQ(episode.Run({"search", "--block", block.string()}).out,
            "0\t" + episode.path.string() + "\n");
  const ProcessResult r = episode.Run(
      {"replace", "--block", block.string(), "--with", with.string(), "--skip-comments"});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.out, "1\t" + episode.path.string() + "\n");
  // The Replace block's lines take the line ends of the lines they replace.
  EXPECT_EQ(ReadBytes(episode.path), Script({kS.shifted, kC.text, kB.shifted}));
}

TEST(Sort, PutsTheEventLinesInOrderKeepingEveryLinesBytes) {
  const std::string aWithEnd = kA.text + "\r\n";  // moved up, it takes the script's line end
  const struct {
    const char* order;
    std::string sorted;
  } cases[] = {
      {"time", Script({aWithEnd, kS.text, kC.text, kB.text})},
      {"style", Script({aWithEnd, kC.text, kB.text, kS.text})},
      {"actor", Script({kS.text, kC.text, kB.text, kA.text})},
  };
  for (const auto& c : cases) {
    Episode episode(kUnsorted);
    ProcessResult r = episode.Run({"sort", "--by", c.order, "--dry-run", "--diff"});
    EXPECT_EQ(r.exitStatus, 0) << c.order << r.err;
    EXPECT_EQ(ReadBytes(episode.path), kUnsorted) << c.order;
    const std::string diff = r.out;
    r = episode.Run({"sort", "--by", c.order});
    EXPECT_EQ(r.exitStatus, 0) << c.order << r.err;
    EXPECT_EQ(ReadBytes(episode.path), c.sorted) << c.order;
    // The dry run's diff makes the same bytes.
    TempFolder patched;
    WriteBytes(patched / "episode.ass", kUnsorted);
    WriteBytes(patched / "diff", diff);
    EXPECT_EQ(RunProcess("/usr/bin/patch", {"--binary", "-s", "-d", patched.path().string(), "-i",
                                            (patched / "diff").string(), "episode.ass"})
                  .exitStatus,
              0)
        << c.order << diff;
    EXPECT_EQ(ReadBytes(patched / "episode.ass"), c.sorted) << c.order;
    // In order already: counted 0, not rewritten.
    const fs::file_time_type written = fs::last_write_time(episode.path);
    r = episode.Run({"sort", "--by", c.order});
    EXPECT_EQ(r.out, "0\t" + episode.path.string() + "\n") << c.order;
    EXPECT_EQ(fs::last_write_time(episode.path), written) << c.order;
  }
  // The count is the lines put in another place; undo takes the sort back.
  Episode episode(kUnsorted);
  EXPECT_EQ(episode.Run({"sort", "--by", "time"}).out, "2\t" + episode.path.string() + "\n");
  EXPECT_EQ(RunProcess(kCli, {"undo", "--", episode.path.string()}).exitStatus, 0);
  EXPECT_EQ(ReadBytes(episode.path), kUnsorted);
}

TEST(Sort, LinesLeftOutKeepTheirPlaces) {
  Episode episode(kUnsorted);
  const ProcessResult r = episode.Run({"sort", "--by", "time", "--skip-style", "Sign"});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(ReadBytes(episode.path), Script({kA.text + "\r\n", kS.text, kC.text, kB.text}));
}

// The block is found only in time order; sorted first, the script is written sorted and edited.
TEST(Sort, SortsBeforeTheEdit) {
  Episode episode(kUnsorted);
  const fs::path block = episode.Block("block.txt", kA.text + "\n" + kS.text);
  EXPECT_EQ(episode.Run({"search", "--block", block.string()}).out,
            "0\t" + episode.path.string() + "\n");
  EXPECT_EQ(episode.Run({"search", "--block", block.string(), "--sort", "time"}).out,
            "1\t" + episode.path.string() + "\n");
  const ProcessResult r = episode.Run(
      {"shift", "--by", "1s", "--sort", "time", "--affect", "after", "--block", block.string()});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(ReadBytes(episode.path), Script({kA.text + "\r\n", kS.text, kC.shifted, kB.shifted}));
}

// The opening of the block at 0:00:01, in the script ten minutes later.
const std::string kOpening =
    "Dialogue: 0,0:00:01.00,0:00:03.00,OP,,0,0,0,,one\n"
    "Dialogue: 0,0:00:03.50,0:00:05.00,OP,,0,0,0,,two\n";
const std::string kLaterOpening =
    "Dialogue: 0,0:10:01.00,0:10:03.00,OP,,0,0,0,,one\r\n"
    "Dialogue: 0,0:10:03.50,0:10:05.00,OP,,0,0,0,,two\r\n";
const std::string kRetimedOpening =  // its second line 0.1 s later: another inner timing
    "Dialogue: 0,0:10:01.00,0:10:03.00,OP,,0,0,0,,one\r\n"
    "Dialogue: 0,0:10:03.60,0:10:05.00,OP,,0,0,0,,two\r\n";

TEST(FullMatchWithOffset, FindsTheBlockAtAnotherTimeWithItsInnerTiming) {
  const struct {
    const char* match;
    std::string script;
    const char* count;
  } cases[] = {
      {"offset", Script({kLaterOpening}), "1"},   {"full", Script({kLaterOpening}), "0"},
      {"format", Script({kLaterOpening}), "1"},   {"text", Script({kLaterOpening}), "1"},
      {"offset", Script({kRetimedOpening}), "0"}, {"format", Script({kRetimedOpening}), "1"},
      {"offset", Script({kOpening}), "1"},        {"full", Script({kOpening}), "1"},
  };
  for (const auto& c : cases) {
    Episode episode(c.script);
    const fs::path block = episode.Block("block.txt", kOpening);
    const ProcessResult r = episode.Run({"search", "--match", c.match, "--block", block.string()});
    EXPECT_EQ(r.out, std::string(c.count) + "\t" + episode.path.string() + "\n")
        << c.match << c.script;
  }
}

TEST(FullMatchWithOffset, TellsWhenOnlyTheInnerTimingDiffers) {
  Episode episode(Script({kRetimedOpening}));
  const fs::path block = episode.Block("block.txt", kOpening);
  const ProcessResult r =
      episode.Run({"search", "--match", "offset", "--explain", "--block", block.string()});
  EXPECT_NE(r.err.find("its lines match from line 6 apart from their times, but its inner "
                       "timing differs: line 7 is not at the offset of the first"),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("block:  Dialogue: 0,0:10:03.50,0:10:05.00,OP,,0,0,0,,two"),
            std::string::npos)
      << r.err;
}

// The timing-shift replacement puts the Replace block where the occurrence found by offset starts.
TEST(FullMatchWithOffset, TheTimingShiftReplacementGoesWhereTheOccurrenceStarts) {
  Episode episode(Script({kB.text, kLaterOpening}));
  const fs::path block = episode.Block("block.txt", kOpening);
  const fs::path with = episode.Block("with.txt",
                                      "Dialogue: 0,0:00:01.00,0:00:03.00,OP,,0,0,0,,ONE\n"
                                      "Dialogue: 0,0:00:03.50,0:00:05.10,OP,,0,0,0,,TWO\n");
  const ProcessResult r = episode.Run({"replace", "--match", "offset", "--mode", "timing",
                                       "--block", block.string(), "--with", with.string()});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(ReadBytes(episode.path),
            Script({kB.text, "Dialogue: 0,0:10:01.00,0:10:03.00,OP,,0,0,0,,ONE\r\n",
                    "Dialogue: 0,0:10:03.50,0:10:05.10,OP,,0,0,0,,TWO\r\n"}));
}

}  // namespace
}  // namespace nosk::cli
