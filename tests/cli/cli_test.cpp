#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "cli/blockfile.h"
#include "cli/pathlist.h"
#include "cli/scriptpaths.h"
#include "script/outcome.h"
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
const std::string kSearchGo = "Dialogue: 0,0:00:08.00,0:00:10.00,Default,Aki,0,0,0,,Let's go.";

TEST(BlockFiles, HoldTheLinesAnEditorWould) {
  TempFolder folder;
  using Lines = std::vector<std::string>;
  const std::pair<std::string, Lines> cases[] = {
      {"", Lines{}},
      {"a", Lines{"a"}},
      {"a\r\nb\n", Lines{"a", "b"}},
      {"\xEF\xBB\xBF"
       "a\n\nb",
       Lines{"a", "", "b"}},
      {"a\r\r\n", Lines{"a\r"}},
      {"\n", Lines{""}},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    WriteBytes(folder / "block.txt", text);
    Lines lines;
    ASSERT_TRUE(ReadBlockFile((folder / "block.txt").string(), lines).ok());
    EXPECT_EQ(lines, expected);
  }
}

TEST(PathOrder, FollowsUtf16CodeUnits) {
  EXPECT_TRUE(Utf16Less("/s/B.ass", "/s/a.ass"));      // capitals first
  EXPECT_TRUE(Utf16Less("/s/a.ass", "/s/a.ass.bak"));  // a prefix first
  EXPECT_FALSE(Utf16Less("/s/a.ass", "/s/a.ass"));
  // U+1F600 is a surrogate pair in UTF-16 and sorts before U+FF01, unlike its UTF-8 bytes.
  EXPECT_TRUE(Utf16Less("\xF0\x9F\x98\x80", "\xEF\xBC\x81"));
  EXPECT_FALSE(Utf16Less("\xEF\xBC\x81", "\xF0\x9F\x98\x80"));
  EXPECT_TRUE(Utf16Less("\xF0\x9F\x98\x80", "\xF0\x9F\x98\x81"));
  EXPECT_TRUE(Utf16Less("\xD0\x9F", "\xE6\x97\xA5"));
}

// A folder with two scripts, another file and a sub-folder that looks like a script.
struct Season {
  TempFolder folder;
  Season() {
    fs::copy_file(kData / "episode.ass", folder / "b.ass");
    fs::copy_file(kData / "episode.ass", folder / "A.ssa");
    WriteBytes(folder / "notes.txt", "x");
    fs::create_directory(folder / "sub.ass");
    WriteBytes(folder / "go.txt", kSearchGo + "\n");
  }
  std::string operator/(const char* name) const { return (folder / name).string(); }
};

TEST(CommandLine, SearchesFoldersAndFilesInListOrder) {
  Season s;
  const ProcessResult r =
      RunProcess(kCli, {"search", "--block", s / "go.txt", s.folder.path().string(), s / "b.ass",
                        s / "notes.txt", s / "missing.ass"});
  EXPECT_EQ(r.exitStatus, 1);
  EXPECT_EQ(r.out, "1\t" + s / "A.ssa" + "\n" + "1\t" + s / "b.ass" + "\n" + "Error\t" +
                       s / "missing.ass" + "\n");
  EXPECT_EQ(r.err, "nosk-cli: skipped " + s / "notes.txt" + ": not a .ass or .ssa file\n" +
                       "nosk-cli: " + s / "missing.ass" + ": no file at this path\n");
  EXPECT_EQ(ReadBytes(s.folder / "b.ass"), ReadBytes(kData / "episode.ass"));
}

// Any name the file system allows, and the extension in any letter case, from a folder and named.
TEST(CommandLine, TakesEveryNameAndTheExtensionInAnyCase) {
  Season s;
  for (const char* name : {"EP01.ASS", "Who Are You?.Ssa", "a*<b>|\"c\".ass"}) {
    fs::copy_file(kData / "episode.ass", s.folder / name);
  }
  ProcessResult r = RunProcess(kCli, {"search", "--block", s / "go.txt", "--", s.folder.path()});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.out, "1\t" + s / "A.ssa" + "\n" + "1\t" + s / "EP01.ASS" + "\n" + "1\t" +
                       s / "Who Are You?.Ssa" + "\n" + "1\t" +
                       script::PathText(s.folder / "a*<b>|\"c\".ass") + "\n" + "1\t" + s / "b.ass" +
                       "\n");
  r = RunProcess(kCli, {"search", "--block", s / "go.txt", "--", s / "EP01.ASS"});
  EXPECT_EQ(r.out, "1\t" + s / "EP01.ASS" + "\n");
}

TEST(CommandLine, ReplacesWithABlockFromStandardInput) {
  Season s;
  const ProcessResult r =
      RunProcess(kCli,
                 {"replace", "--block", s / "go.txt", "--with", "-", "--mode", "text", "--match",
                  "text", s / "b.ass"},
                 "\xEF\xBB\xBF"
                 "Dialogue: 0,0:00:00.00,0:00:00.00,Default,,0,0,0,,Come on.\r\n");
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.out, "2\t" + s / "b.ass" + "\n");
  EXPECT_EQ(r.err, "");
  const std::string content = ReadBytes(s.folder / "b.ass");
  EXPECT_NE(content.find("Dialogue: 0,0:00:08.00,0:00:10.00,Default,Aki,0,0,0,,Come on.\r\n"),
            std::string::npos);
  EXPECT_EQ(ReadBytes(s.folder / "Nosk_backup" / "b.ass.~1~"), ReadBytes(kData / "episode.ass"));
}

TEST(CommandLine, ShiftsAndDryRuns) {
  Season s;
  // A dry run counts what it would change and writes nothing.
  ProcessResult r = RunProcess(
      kCli, {"shift", "--by", "0:00:01.50", "--dry-run", "--block", s / "go.txt", s / "b.ass"});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.out, "1\t" + s / "b.ass" + "\n");
  EXPECT_EQ(ReadBytes(s.folder / "b.ass"), ReadBytes(kData / "episode.ass"));
  EXPECT_FALSE(fs::exists(s.folder / "Nosk_backup"));

  // Every script is shifted by default, and then no block is needed.
  r = RunProcess(kCli, {"shift", "--by", "0:00:01.50", s / "b.ass"});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(ReadBytes(s.folder / "b.ass"), ReadBytes(kData / "shift-all.expected.ass"));

  r = RunProcess(kCli, {"shift", "--by", "0:00:01.50", "--backward", "--affect", "after",
                        "--include-block", "--block", s / "go.txt", s / "b.ass"});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
}

TEST(CommandLine, StopsAtChecksWithTheStatusText) {
  Season s;
  WriteBytes(s.folder / "two.txt", kSearchGo + "\n" + kSearchGo + "\n");
  struct Case {
    std::string name;
    std::vector<std::string> arguments;
    std::string err;
  };
  const Case cases[] = {
      {"shift after the block without a block",
       {"shift", "--by", "0:00:01.00", "--affect", "after", s / "b.ass"},
       "nosk-cli: Search data error. It holds no event line.\n"
       "nosk-cli: shift --affect after looks for the Search block: give --block FILE with at "
       "least one valid event line\n"},
      {"longer Replace block in text mode",
       {"replace", "--block", s / "go.txt", "--with", s / "two.txt", "--mode", "text", s / "b.ass"},
       "nosk-cli: Replace data error.\n"
       "nosk-cli: Replace Data Error: the Replace block has 2 event lines and the Search block 1: "
       "in this mode each new line takes the times of the line it replaces\n"},
      {"no scripts named",
       {"search", "--block", s / "go.txt", s / "notes.txt"},
       "nosk-cli: skipped " + s / "notes.txt" +
           ": not a .ass or .ssa file\n"
           "nosk-cli: No files.\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ProcessResult r = RunProcess(kCli, c.arguments);
    EXPECT_EQ(r.exitStatus, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(ReadBytes(s.folder / "b.ass"), ReadBytes(kData / "episode.ass"));
  }
}

// Inputs that are not scripts, or odd ones: none may crash a run or change a byte it should not.
TEST(CommandLine, HandlesBadInputWithoutDamage) {
  TempFolder folder;
  WriteBytes(folder / "go.txt", kSearchGo + "\n");
  std::string utf16 = "\xFF\xFE";
  for (char c : ReadBytes(kData / "episode.ass")) utf16 += std::string{c, '\0'};
  std::mt19937 random(6);  // a fixed seed: the same "binary file" every time
  std::string binary(5'000'000, '\0');
  for (char& c : binary) c = static_cast<char>(random());
  const std::string longEvent = "[Events]\nDialogue: 0,0:00:01.00,0:00:02.00,D,,0,0,0,,";
  std::string longLine = longEvent + std::string(40'000'000 - longEvent.size(), 'x');
  const std::string withNul =
      "[Events]\r\nDialogue: 0,0:00:01.00,0:00:02.00,D,,0,0,0,,a" + std::string(1, '\0') + "b\r\n";
  struct Case {
    std::string name;
    std::string content;
    std::string result;      // the result line's code
    std::string reason;      // in the Error's reason
    std::string newContent;  // when rewritten
  };
  const Case cases[] = {
      {"utf16.ass", utf16, "Error", "UTF-16", ""},
      {"utf16-without-mark.ass", utf16.substr(2), "Error", "UTF-16", ""},
      {"mark-alone.ass", "\xEF\xBB\xBF", "Error", "no event lines", ""},
      {"binary.ass", binary, "Error", "no event lines", ""},
      {"lone-cr.ass", "[Events]\rDialogue: 0,0:00:01.00,0:00:02.00,D,,0,0,0,,x\r", "Error",
       "CR alone", ""},
      {"nul.ass", withNul, "1", "",
       "[Events]\r\nDialogue: 0,0:00:02.00,0:00:03.00,D,,0,0,0,,a" + std::string(1, '\0') +
           "b\r\n"},
      {"long-line.ass", longLine, "1", "",
       "[Events]\nDialogue: 0,0:00:02.00,0:00:03.00,D,,0,0,0,," +
           std::string(40'000'000 - longEvent.size(), 'x') + "\n"},
  };
  std::vector<std::string> arguments = {"shift", "--by", "0:00:01.00", "--block",
                                        (folder / "go.txt").string()};
  for (const Case& c : cases) {
    WriteBytes(folder / c.name, c.content);
    arguments.push_back((folder / c.name).string());
  }
  fs::create_directory(folder / "x.ass");
  arguments.push_back((folder / "x.ass").string());
  const ProcessResult r = RunProcess(kCli, arguments);
  EXPECT_EQ(r.exitStatus, 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = (folder / c.name).string();
    EXPECT_NE(r.out.find(c.result + "\t" + path + "\n"), std::string::npos) << r.out;
    if (c.newContent.empty()) {
      EXPECT_EQ(ReadBytes(folder / c.name), c.content);
      EXPECT_NE(r.err.find("nosk-cli: " + path + ": "), std::string::npos);
      EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
    } else {
      EXPECT_EQ(ReadBytes(folder / c.name), c.newContent);
      EXPECT_EQ(ReadBytes(folder / "Nosk_backup" / (c.name + ".~1~")), c.content);
    }
  }
  // A folder named like a script is a folder here: its scripts are taken (it has none).
  EXPECT_EQ(r.out.find((folder / "x.ass").string()), std::string::npos);
}

// Every usage error exits with 2, as a check that stops a run does, its reason on stderr, and
// nothing on stdout; --help and --version exit with 0.
// The progress line's percentage is the run's, not the phase's: the third of four scripts half
// read is 62% of the run.
TEST(ProgressLine, ShowsTheRunsPercentage) {
  const struct {
    int number, count, position;
    const char* shown;
  } cases[] = {{3, 4, 50, "[3/4] Reading data. Please, wait... 62%"},
               {1, 4, 0, "[1/4] Reading data. Please, wait... 0%"},
               {4, 4, 100, "[4/4] Reading data. Please, wait... 100%"},
               {0, 0, 40, "Reading data. Please, wait... 40%"}};
  for (const auto& c : cases) {
    std::FILE* terminal = std::tmpfile();
    ASSERT_NE(terminal, nullptr);
    {
      TerminalHost host(terminal, true);
      host.SetFileNumber(c.number, c.count);
      host.SetStatusText(script::Message(script::MessageId::ReadingPhase));
      host.SetProgressPosition(c.position);
      host.Repaint();
    }
    std::rewind(terminal);
    std::string text(4096, '\0');
    text.resize(std::fread(text.data(), 1, text.size(), terminal));
    std::fclose(terminal);
    EXPECT_TRUE(text.ends_with(c.shown)) << text;
  }
}

TEST(CommandLine, RefusesBadUsageWithStatus2) {
  Season s;
  WriteBytes(s.folder / "latin1.txt", "Dialogue: 0,0:00:01.00,0:00:02.00,D,,0,0,0,,caf\xE9\n");
  struct Case {
    std::string name;
    std::vector<std::string> arguments;
    std::string errStart;
  };
  const Case cases[] = {
      {"a shift by nothing",
       {"shift", "--by", "0:00:00.00", "--block", s / "go.txt", s / "b.ass"},
       "--by: a shift by 0:00:00.00 changes nothing"},
      {"a dry run by nothing",
       {"shift", "--by", "0", "--dry-run", s / "b.ass"},
       "--by: a shift by 0:00:00.00 changes nothing"},
      {"an amount that is not one",
       {"shift", "--by", "1:2:3", s / "b.ass"},
       "--by: '1:2:3' is not an amount: give H:MM:SS.CC"},
      {"frames without a rate",
       {"shift", "--by", "24f", s / "b.ass"},
       "--by: '24f' is frames, which need a frame rate: give it with --fps"},
      {"a frame rate that is not one",
       {"shift", "--by", "24f", "--fps", "fast", s / "b.ass"},
       "--fps: not a frame rate: fast"},
      {"back twice",
       {"shift", "--by", "-1.5s", "--backward", s / "b.ass"},
       "--by: a minus sign and --backward both say back"},
      {"an unknown mode",
       {"replace", "--block", s / "go.txt", "--with", s / "go.txt", "--mode", "fuzzy", s / "b.ass"},
       "--mode: fuzzy not in"},
      {"an unknown option",
       {"search", "--fuzzy", "--block", s / "go.txt", s / "b.ass"},
       "The following argument was not expected: --fuzzy"},
      {"a misspelt option",
       {"shift", "--by", "1s", "--dryrun", s / "b.ass"},
       "The following argument was not expected: --dryrun"},
      {"a missing value", {"search", s / "b.ass", "--block"}, "--block: 1 required"},
      {"an unknown command",
       {"sorts", s / "b.ass"},
       "nosk-cli: sorts is not a command: search, replace, shift, text, convert, sort, undo, "
       "redo or history"},
      {"no command", {}, "A subcommand is required"},
      {"no block", {"search", s / "b.ass"}, "--block is required"},
      {"no path", {"search", "--block", s / "go.txt"}, "PATH is required"},
      {"a block file that is not UTF-8",
       {"search", "--block", s / "latin1.txt", s / "b.ass"},
       s / "latin1.txt" + " is not UTF-8 text"},
      {"a missing block file",
       {"search", "--block", s / "none.txt", s / "b.ass"},
       "can't read " + s / "none.txt"},
      {"a block file that never ends",
       {"search", "--block", "/dev/zero", s / "b.ass"},
       "can't read /dev/zero: it holds more than 40,000,000 bytes"},
      {"both blocks from stdin",
       {"replace", "--block", "-", "--with", "-", s / "b.ass"},
       "--with: only one block"},
      {"an unknown code page",
       {"convert", "--from", "martian", s / "b.ass"},
       "--from: not an encoding this system knows: martian"},
      {"a script named like -h, without --",
       {"shift", "--by", "1s", "-h.ass"},
       "nosk-cli: -h.ass looks like a path; put -- before the paths"},
      {"a path beginning with -, without --",
       {"search", "--block", s / "go.txt", "-x/b.ASS"},
       "nosk-cli: -x/b.ASS looks like a path; put -- before the paths"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ProcessResult r = RunProcess(kCli, c.arguments);
    EXPECT_EQ(r.exitStatus, 2) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.starts_with(c.errStart)) << r.err;
  }
  EXPECT_EQ(ReadBytes(s.folder / "b.ass"), ReadBytes(kData / "episode.ass"));
  // The nearest option, for a typo; none for a word far from every option.
  const std::pair<std::vector<std::string>, std::string> near[] = {
      {{"shift", "--by", "1s", "--dryrun", s / "b.ass"}, "nosk-cli: did you mean --dry-run?\n"},
      {{"replace", "--blok", s / "go.txt", s / "b.ass"}, "nosk-cli: did you mean --block?\n"},
      {{"search", "--fuzzy", "--block", s / "go.txt", s / "b.ass"}, ""},
  };
  for (const auto& [arguments, suggestion] : near) {
    const std::string err = RunProcess(kCli, arguments).err;
    if (suggestion.empty()) {
      EXPECT_EQ(err.find("did you mean"), std::string::npos) << err;
    } else {
      EXPECT_TRUE(err.ends_with(suggestion)) << err;
    }
  }
  for (const char* ending : {"--help", "--version"}) {
    const ProcessResult r = RunProcess(kCli, {ending});
    EXPECT_EQ(r.exitStatus, 0) << ending;
  }
  EXPECT_EQ(RunProcess(kCli, {"--version"}).out, "nosk-cli " NOSK_VERSION "\n");
  EXPECT_NE(RunProcess(kCli, {"--help"}).out.find("every usage error: 2"), std::string::npos);
}

// --diff prints what the run changes, as a diff that patch --binary applies to a copy of the
// original to give exactly the file the run writes: line ends, a last line without one, lines
// deleted and inserted, byte for byte. --dry-run gives the same diff and writes nothing.
TEST(CommandLine, DiffsThatPatchTurnsIntoTheWrittenFile) {
  if (RunProcess("sh", {"-c", "command -v patch"}).exitStatus != 0) GTEST_SKIP() << "needs patch";
  const std::string crlf = ReadBytes(kData / "episode.ass");
  std::string lf = crlf;
  for (std::size_t at; (at = lf.find("\r\n")) != std::string::npos;) lf.erase(at, 1);
  std::string unended = crlf.substr(0, crlf.size() - 2);  // the last event line has no line end
  const std::string lastLine = "Dialogue: 0,0:01:08.00,0:01:10.00,Default,Aki,0,0,0,,Let's go.";
  struct Case {
    std::string name;
    std::string content;
    std::vector<std::string> arguments;
  };
  const Case cases[] = {
      {"a shift of a CR LF script", crlf, {"shift", "--by", "0:00:01.50"}},
      {"a shift of an LF script", lf, {"shift", "--by", "0:00:00.50", "--backward"}},
      {"a shift of a script without a final line end", unended, {"shift", "--by", "0:00:01.00"}},
      {"lines deleted", crlf, {"replace", "--block", "go.txt", "--with", "empty.txt"}},
      {"lines inserted", lf, {"replace", "--block", "go.txt", "--with", "three.txt"}},
      {"the last line replaced",
       unended,
       {"replace", "--block", "last.txt", "--with", "three.txt"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Season s;
    WriteBytes(s.folder / "empty.txt", "");
    WriteBytes(s.folder / "three.txt", kSearchGo + "\n" + kSearchGo + "\n" + kSearchGo + "\n");
    WriteBytes(s.folder / "last.txt", lastLine + "\n");
    WriteBytes(s.folder / "b.ass", c.content);
    WriteBytes(s.folder / "copy.ass", c.content);
    std::vector<std::string> arguments = c.arguments;
    for (std::string& argument : arguments) {
      if (argument.ends_with(".txt")) argument = s / argument.c_str();
    }
    std::vector<std::string> dry = arguments;
    dry.insert(dry.end(), {"--dry-run", "--diff", "--", s / "b.ass"});
    arguments.insert(arguments.end(), {"--diff", "--", s / "b.ass"});
    const ProcessResult preview = RunProcess(kCli, dry);
    EXPECT_EQ(preview.exitStatus, 0) << preview.err;
    EXPECT_EQ(ReadBytes(s.folder / "b.ass"), c.content);
    const ProcessResult written = RunProcess(kCli, arguments);
    EXPECT_EQ(written.exitStatus, 0) << written.err;
    EXPECT_EQ(written.out, preview.out);
    EXPECT_TRUE(written.out.starts_with("--- " + s / "b.ass" + "\n+++ " + s / "b.ass" + "\n"));
    EXPECT_EQ(written.err, "1\t" + s / "b.ass" + "\n");
    EXPECT_NE(ReadBytes(s.folder / "b.ass"), c.content);
    const ProcessResult patched =
        RunProcess("patch", {"--binary", "--quiet", s / "copy.ass"}, written.out);
    EXPECT_EQ(patched.exitStatus, 0) << patched.out << patched.err;
    EXPECT_EQ(ReadBytes(s.folder / "copy.ass"), ReadBytes(s.folder / "b.ass"));
  }
}

TEST(CommandLine, ExplainsWhereABlockThatIsNotThereCameClosest) {
  Season s;
  WriteBytes(s.folder / "near.txt",
             "Dialogue: 0,0:00:08.00,0:00:10.00,Default,Aki,0,0,0,,Let's go. \n");
  const ProcessResult r =
      RunProcess(kCli, {"search", "--explain", "--block", s / "near.txt", s / "b.ass"});
  EXPECT_EQ(r.exitStatus, 0);
  EXPECT_EQ(r.out, "0\t" + s / "b.ass" + "\n");
  EXPECT_EQ(r.err,
            "nosk-cli: " + s / "b.ass" +
                ": the block was not found; no line of it matches, and line 19 comes "
                "closest to its first line:\n"
                "  block:  Dialogue: 0,0:00:08.00,0:00:10.00,Default,Aki,0,0,0,,Let's go. \n"
                "  script: Dialogue: 0,0:00:08.00,0:00:10.00,Default,Aki,0,0,0,,Let's go.\n" +
                std::string(10 + 62, ' ') + "^\n");
}

// Paths that name nothing are failures of the run, not files of another kind to skip.
TEST(CommandLine, SaysWhenAPathNamesNothing) {
  Season s;
  const ProcessResult r =
      RunProcess(kCli, {"search", "--block", s / "go.txt", s / "none", s / "b.ass"});
  EXPECT_EQ(r.exitStatus, 1);
  EXPECT_EQ(r.out, "1\t" + s / "b.ass" + "\n");
  EXPECT_EQ(r.err, "nosk-cli: " + s / "none" + ": no such file or folder\n");
}

// Results that are lost are a failure of the run: a full device fails it at the end, a closed
// standard output stops it before any script is touched.
TEST(CommandLine, FailsWhenItsResultsCannotBeWritten) {
  const struct {
    std::string name;
    std::string redirection;
    int exitStatus;
    std::string err;
    bool shifted;
  } cases[] = {
      {"a full device", ">/dev/full", 1,
       "nosk-cli: the results could not all be written to the standard output\n", true},
      {"a closed standard output", ">&-", 2,
       "nosk-cli: the standard output is closed, so the results would be lost; nothing was "
       "done\n",
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Season s;
    const ProcessResult r = RunProcess(
        "/bin/sh",
        {"-c", "exec \"$0\" shift --by 0:00:01.50 \"$1\" " + c.redirection, kCli, s / "b.ass"});
    EXPECT_EQ(r.exitStatus, c.exitStatus);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(ReadBytes(s.folder / "b.ass"),
              ReadBytes(kData / (c.shifted ? "shift-all.expected.ass" : "episode.ass")));
  }
}

// Whatever a file is named, its result is one line, and a name cannot forge another.
TEST(CommandLine, QuotesNamesThatCouldForgeAResultLine) {
  Season s;
  const std::string names[] = {"evil\nError\tghost.ass", "caf\xE9.ass", "Hoshi S01E01 [Kuro].ass"};
  for (const std::string& name : names) fs::copy_file(kData / "episode.ass", s.folder / name);
  const ProcessResult r =
      RunProcess(kCli, {"search", "--block", s / "go.txt", "--", s / "evil\nError\tghost.ass",
                        s / "caf\xE9.ass", s / "Hoshi S01E01 [Kuro].ass"});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.out, "1\t" + s / "Hoshi S01E01 [Kuro].ass" + "\n" + "1\t\"" + s / "caf" +
                       "\\351.ass\"\n" + "1\t\"" + s / "evil" + "\\nError\\tghost.ass\"\n");
}

// Memory that runs out on one script fails that script, with its reason, and the run goes on:
// every script gets its result line at every limit.
TEST(CommandLine, GivesEveryScriptAResultWhenMemoryRunsOut) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer reserves more address space than any limit allows";
#else
  TempFolder folder;
  const std::string head = "[Events]\n";
  const std::string line = "Dialogue: 0,0:00:01.00,0:00:02.00,D,,0,0,0,,x\n";
  std::string big = head;
  big.reserve(40'000'000);
  while (big.size() + line.size() <= 40'000'000) big += line;
  big.resize(40'000'000, 'x');
  WriteBytes(folder / "big.ass", big);
  fs::copy_file(kData / "episode.ass", folder / "small.ass");
  const std::string bigPath = (folder / "big.ass").string();
  const std::string smallPath = (folder / "small.ass").string();
  int failures = 0;
  for (int kilobytes = 40'000; kilobytes <= 120'000; kilobytes += 4'000) {
    SCOPED_TRACE(kilobytes);
    const ProcessResult r =
        RunProcess("/bin/sh", {"-c",
                               "ulimit -v " + std::to_string(kilobytes) +
                                   " && exec \"$0\" shift --by 0:00:01.00 --dry-run \"$1\" \"$2\"",
                               kCli, bigPath, smallPath});
    ASSERT_TRUE(r.exitStatus == 0 || r.exitStatus == 1) << r.exitStatus << r.err;
    EXPECT_NE(r.out.find("1\t" + smallPath + "\n"), std::string::npos) << r.out;
    if (r.exitStatus == 1) {
      ++failures;
      EXPECT_TRUE(r.out.starts_with("Error\t" + bigPath + "\n")) << r.out;
      EXPECT_NE(r.err.find("memory"), std::string::npos) << r.err;
    }
  }
  EXPECT_GT(failures, 0) << "no limit was tight enough to fail the large script";
#endif
}

}  // namespace
}  // namespace nosk::cli

namespace nosk::cli {
namespace {

// The README's worked examples, run as written on copies of examples/ with LF line ends: each
// prints what the README shows, and every script keeps one kind of line end.
TEST(Readme, WorkedExamplesRunAsShownAndKeepOneKindOfLineEnd) {
  const fs::path source = NOSK_SOURCE_DIR;
  TempFolder folder;
  fs::copy(source / "examples", folder.path(), fs::copy_options::recursive);
  for (const auto& entry : fs::directory_iterator(folder.path())) {
    if (entry.path().extension() == ".ass") {
      std::string text = ReadBytes(entry.path());
      for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
      WriteBytes(entry.path(), text);
    }
  }
  // Commands are the indented lines that start with "$ " (a trailing backslash continues them);
  // the indented lines after one are its output, where "..." stands for any further lines.
  std::istringstream readme(ReadBytes(source / "README.md"));
  struct Example {
    std::string command;
    std::vector<std::string> output;
  };
  std::vector<Example> examples;
  bool continued = false;
  for (std::string line; std::getline(readme, line);) {
    if (!line.starts_with("    ")) {
      if (!examples.empty() && !continued) examples.back().output.push_back("...");
      continue;
    }
    line.erase(0, 4);
    if (continued) {
      examples.back().command += " " + line;
    } else if (line.starts_with("$ ")) {
      examples.push_back({line.substr(2), {}});
    } else {
      if (!examples.empty()) examples.back().output.push_back(line);
      continue;
    }
    continued = examples.back().command.ends_with("\\");
    if (continued) examples.back().command.pop_back();
  }
  ASSERT_GE(examples.size(), 4u);
  const std::string shownFolder = "/tmp/ex";
  for (const Example& example : examples) {
    SCOPED_TRACE(example.command);
    const ProcessResult r =
        RunProcess("/bin/sh", {"-c", "cd \"$0\" && PATH=\"$1:$PATH\" && " + example.command,
                               folder.path().string(), fs::path(kCli).parent_path().string()});
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    if (!example.command.starts_with("nosk-cli")) continue;
    std::istringstream out(r.out);
    std::string line;
    for (std::string expected : example.output) {
      if (expected == "...") break;
      for (std::size_t at; (at = expected.find(shownFolder)) != std::string::npos;) {
        expected.replace(at, shownFolder.size(), folder.path().string());
      }
      ASSERT_TRUE(std::getline(out, line)) << r.out;
      EXPECT_EQ(line, expected);
    }
  }
  for (const auto& entry : fs::directory_iterator(folder.path())) {
    if (entry.path().extension() != ".ass") continue;
    SCOPED_TRACE(entry.path());
    const std::string text = ReadBytes(entry.path());
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_NE(ReadBytes(entry.path()), ReadBytes(source / "examples" / entry.path().filename()));
  }
}

}  // namespace
}  // namespace nosk::cli
