// nosk-cli as users of command-line subtitle tools expect it: amounts in seconds and frames,
// folders in depth, a summary on a terminal.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>

#include "tests/common/process.h"
#include "tests/common/tempfolder.h"

namespace nosk::cli {
namespace {

namespace fs = std::filesystem;
using testsupport::ProcessResult;
using testsupport::ReadBytes;
using testsupport::RunProcess;
using testsupport::TempFolder;
using testsupport::WriteBytes;

const fs::path kData = fs::path(NOSK_TEST_DATA);
const std::string kCli = NOSK_CLI;

// A copy of `source` shifted with the options `amount` gives: its bytes after the run.
std::string Shifted(const fs::path& source, const std::vector<std::string>& amount) {
  TempFolder folder;
  fs::copy_file(source, folder / "e.ass");
  std::vector<std::string> arguments = {"shift"};
  arguments.insert(arguments.end(), amount.begin(), amount.end());
  arguments.push_back((folder / "e.ass").string());
  const ProcessResult r = RunProcess(kCli, arguments);
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  return ReadBytes(folder / "e.ass");
}

// Every form of 1.5 seconds forward shifts the test episode as the golden file says; every
// form of 1.5 seconds back takes it back.
TEST(Amounts, EachFormShiftsByItsValue) {
  const std::vector<std::vector<std::string>> forward = {
      {"--by", "0:00:01.50"},
      {"--by", "1.5"},
      {"--by", "1.5s"},
      {"--by", "1500ms"},
      {"--by", "0:01.5"},
      {"--by", "1s500ms"},
      {"--by", "1.504"},
      {"--by", "1.495"},
      {"--by", "36f", "--fps", "24"},
      {"--by", "+1.5s"},
      {"--by", "45f", "--fps", "30"},
  };
  for (const auto& amount : forward) {
    EXPECT_EQ(Shifted(kData / "episode.ass", amount), ReadBytes(kData / "shift-all.expected.ass"))
        << testing::PrintToString(amount);
  }
  // 36 frames at 24000/1001 are 1.5015 s: rounded once, 1.50.
  const std::vector<std::vector<std::string>> back = {{"--by", "-1.5s"},
                                                      {"--by=-1.5"},
                                                      {"--by", "1.5", "--backward"},
                                                      {"--by", "-36f", "--fps", "24000/1001"}};
  for (const auto& amount : back) {
    EXPECT_EQ(Shifted(kData / "shift-all.expected.ass", amount), ReadBytes(kData / "episode.ass"))
        << testing::PrintToString(amount);
  }
}

// A frame shift at the usual rates moves a time by frames / fps, rounded once to the
// centisecond: checked against the same sum in floating point.
TEST(Amounts, FramesAtTheUsualRates) {
  const std::string line = "Dialogue: 0,0:10:00.00,0:10:02.00,Default,,0,0,0,,x\n";
  for (const auto& [fps, perSecond] :
       {std::pair{"23.976", 23.976}, std::pair{"24", 24.0}, std::pair{"25", 25.0},
        std::pair{"29.97", 29.97}, std::pair{"24000/1001", 24000.0 / 1001}}) {
    for (const int frames : {1, 7, 100, 1439}) {
      SCOPED_TRACE(std::string(fps) + " " + std::to_string(frames));
      TempFolder folder;
      WriteBytes(folder / "a.ass", "[Events]\n" + line);
      const ProcessResult r = RunProcess(kCli, {"shift", "--by", std::to_string(frames) + "f",
                                                "--fps", fps, (folder / "a.ass").string()});
      ASSERT_EQ(r.exitStatus, 0) << r.err;
      const long centiseconds = 60'000 + std::lround(frames / perSecond * 100);
      char start[32];
      std::snprintf(start, sizeof start, "%ld:%02ld:%02ld.%02ld", centiseconds / 360'000,
                    centiseconds / 6000 % 60, centiseconds / 100 % 60, centiseconds % 100);
      EXPECT_NE(ReadBytes(folder / "a.ass").find(std::string("Dialogue: 0,") + start + ","),
                std::string::npos)
          << ReadBytes(folder / "a.ass");
    }
  }
}

// A season kept as one folder per episode: -r takes every episode, never a backup, nor what a
// link to a folder leads to; without -r, one line says what was skipped.
TEST(Folders, RecursiveTakesEveryEpisodeFolder) {
  TempFolder season;
  TempFolder elsewhere;
  for (const char* episode : {"01", "02", "03/extra"}) {
    fs::create_directories(season / episode);
    fs::copy_file(kData / "episode.ass", season / episode / "episode.ass");
  }
  fs::copy_file(kData / "episode.ass", season / "top.ass");
  fs::create_directories(season / "02" / "Nosk_backup");
  fs::copy_file(kData / "episode.ass", season / "02" / "Nosk_backup" / "old.ass");
  fs::copy_file(kData / "episode.ass", elsewhere / "linked.ass");
  fs::create_directory_symlink(elsewhere.path(), season / "04");
  WriteBytes(season / "go.txt", "Dialogue: 0,0:00:08.00,0:00:10.00,Default,Aki,0,0,0,,Let's go.\n");
  const std::string root = season.path().string();

  ProcessResult r = RunProcess(kCli, {"search", "-r", "--block", root + "/go.txt", root});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.out, "1\t" + root + "/01/episode.ass\n1\t" + root + "/02/episode.ass\n1\t" + root +
                       "/03/extra/episode.ass\n1\t" + root + "/top.ass\n");
  EXPECT_EQ(r.err, "");

  r = RunProcess(kCli, {"search", "--block", root + "/go.txt", root});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.out, "1\t" + root + "/top.ass\n");
  EXPECT_EQ(r.err, "nosk-cli: skipped the subfolders of " + root +
                       ", which hold scripts too; -r takes them\n");

  // A shift in depth writes each backup beside its own script.
  r = RunProcess(kCli, {"shift", "--recursive", "--by", "1.5s", root});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(ReadBytes(season / "03" / "extra" / "episode.ass"),
            ReadBytes(kData / "shift-all.expected.ass"));
  EXPECT_TRUE(fs::exists(season / "03" / "extra" / "Nosk_backup" / "episode.ass.~1~"));
  EXPECT_EQ(ReadBytes(season / "02" / "Nosk_backup" / "old.ass"), ReadBytes(kData / "episode.ass"));
  EXPECT_EQ(ReadBytes(elsewhere / "linked.ass"), ReadBytes(kData / "episode.ass"));
}

// On a terminal, a last line on stderr sums the run up; in a pipe, nothing is added.
// Every option's value is named for what it is (FILE, AMOUNT, MODE, ...), never CLI11's TEXT,
// and the manual page has examples.
TEST(Help, NamesEveryValueAndTheManualHasExamples) {
  for (const char* command : {"search", "replace", "shift", "convert", "undo", "redo", "history"}) {
    SCOPED_TRACE(command);
    const ProcessResult help = RunProcess(kCli, {command, "--help"});
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_EQ(help.out.find(" TEXT"), std::string::npos) << help.out;
  }
  const std::string manual = (std::filesystem::path(kCli).parent_path() / "nosk-cli.1.gz").string();
  const ProcessResult page = RunProcess("zcat", {manual});
  EXPECT_NE(page.out.find(".SH EXAMPLES"), std::string::npos);
  EXPECT_NE(page.out.find("\\-\\-affect after"), std::string::npos);
}

TEST(Summary, EndsARunOnATerminal) {
  if (RunProcess("sh", {"-c", "command -v script"}).exitStatus != 0) GTEST_SKIP() << "needs script";
  TempFolder folder;
  fs::copy_file(kData / "episode.ass", folder / "a.ass");
  WriteBytes(folder / "b.ass", "no events here\n");
  WriteBytes(folder / "go.txt", "Dialogue: 0,0:00:08.00,0:00:10.00,Default,Aki,0,0,0,,Let's go.\n");
  const std::string root = folder.path().string();
  const auto onTerminal = [&](const std::string& command) {
    // script(1) gives the command a terminal; its output is what the terminal showed.
    return RunProcess("script", {"-qec", kCli + " " + command + " 2>&1 >/dev/null", "/dev/null"})
        .out;
  };
  struct Case {
    std::string command;
    std::string summary;
  };
  const Case cases[] = {
      {"search --block " + root + "/go.txt " + root,
       "nosk-cli: 1 script holds the block, 0 do not, 1 failed"},
      {"shift --dry-run --by 1.5s " + root, "nosk-cli: 1 would change, 0 would not, 1 failed"},
      {"shift --by 1.5s " + root, "nosk-cli: 1 changed, 0 unchanged, 1 failed"},
      {"undo " + root, "nosk-cli: 1 taken back, 0 not, 0 failed"},
  };
  for (const Case& c : cases) {
    const std::string shown = onTerminal(c.command);
    EXPECT_TRUE(shown.ends_with(c.summary + "\r\n")) << c.command << ":\n" << shown;
    // The progress line counts files only where there is a list of them to count.
    EXPECT_EQ(shown.find("[0/0]"), std::string::npos) << c.command << ":\n" << shown;
  }
  const ProcessResult piped = RunProcess(kCli, {"search", "--block", root + "/go.txt", root});
  EXPECT_EQ(piped.err.find("1 script holds"), std::string::npos) << piped.err;
}

}  // namespace
}  // namespace nosk::cli
