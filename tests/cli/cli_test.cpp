#include <gtest/gtest.h>

#include <random>

#include "cli/blockfile.h"
#include "cli/pathlist.h"
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
  ProcessResult r = RunProcess(
      kCli, {"shift", "--by", "0:00:00.00", "--dry-run", "--block", s / "go.txt", s / "b.ass"});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.out, "1\t" + s / "b.ass" + "\n");
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
       "nosk-cli: Search data error.\n"
       "nosk-cli: shift --affect after looks for the Search block: give --block FILE with at "
       "least one valid event line\n"},
      {"longer Replace block in text mode",
       {"replace", "--block", s / "go.txt", "--with", s / "two.txt", "--mode", "text", s / "b.ass"},
       "nosk-cli: Replace data error.\n"
       "nosk-cli: Replace Data Error: There is more replace strings than search strings.\n"
       "Can't do such replacement in current mode.\n"},
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

TEST(CommandLine, RefusesBadUsageWithCli11Codes) {
  Season s;
  WriteBytes(s.folder / "latin1.txt", "Dialogue: 0,0:00:01.00,0:00:02.00,D,,0,0,0,,caf\xE9\n");
  struct Case {
    std::string name;
    std::vector<std::string> arguments;
    int exitStatus;
    std::string errStart;
  };
  const Case cases[] = {
      {"a shift by nothing",
       {"shift", "--by", "0:00:00.00", "--block", s / "go.txt", s / "b.ass"},
       105,
       "--by: a shift by 0:00:00.00 changes nothing"},
      {"a time that is not one", {"shift", "--by", "1:2:3", s / "b.ass"}, 105, "--by: not a time"},
      {"an unknown mode",
       {"replace", "--block", s / "go.txt", "--with", s / "go.txt", "--mode", "fuzzy", s / "b.ass"},
       105,
       "--mode: fuzzy not in"},
      {"no block", {"search", s / "b.ass"}, 106, "--block is required"},
      {"a block file that is not UTF-8",
       {"search", "--block", s / "latin1.txt", s / "b.ass"},
       103,
       s / "latin1.txt" + " is not UTF-8 text"},
      {"a missing block file",
       {"search", "--block", s / "none.txt", s / "b.ass"},
       103,
       "can't read " + s / "none.txt"},
      {"both blocks from stdin",
       {"replace", "--block", "-", "--with", "-", s / "b.ass"},
       105,
       "--with: only one block"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ProcessResult r = RunProcess(kCli, c.arguments);
    EXPECT_EQ(r.exitStatus, c.exitStatus) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.starts_with(c.errStart)) << r.err;
  }
}

}  // namespace
}  // namespace nosk::cli
