// nosk-cli convert: a season in legacy code pages and UTF-16 to UTF-8, through the same run as
// every other edit: results, backups, a second run that finds nothing to do, undo.
#include <gtest/gtest.h>

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

const fs::path kData = fs::path(NOSK_TEST_DATA);
const std::string kCli = NOSK_CLI;
const std::string kMark = "\xEF\xBB\xBF";

// A season whose episodes came from different releases: each realistic script in the code page
// of its language, and in UTF-16 with a mark; with what iconv makes of each in UTF-8.
struct MixedSeason {
  struct Episode {
    std::string name;
    std::string bytes;
    std::string converted;  // with the UTF-8 mark and the script's own line ends
  };
  TempFolder folder;
  std::vector<Episode> episodes;

  MixedSeason() {
    const std::pair<const char*, const char*> legacy[] = {{"ru", "CP1251"},
                                                          {"fr", "CP1252"},
                                                          {"ja", "CP932"},
                                                          {"zh-hans", "GB18030"},
                                                          {"zh-hant", "CP950"}};
    for (const auto& [language, codePage] : legacy) {
      const std::string bytes = Iconv(
          ReadBytes(kData / "languages" / (std::string(language) + ".ass")), "UTF-8", codePage);
      episodes.push_back(
          {std::string(language) + ".ass", bytes, kMark + Iconv(bytes, codePage, "UTF-8")});
    }
    const std::string utf8 = ReadBytes(kData / "languages/ru.ass");
    episodes.push_back(
        {"utf16be.ass", "\xFE\xFF" + Iconv(utf8, "UTF-8", "UTF-16BE"), kMark + utf8});
    episodes.push_back(
        {"utf16le.ass", "\xFF\xFE" + Iconv(utf8, "UTF-8", "UTF-16LE"), kMark + utf8});
    std::sort(episodes.begin(), episodes.end(),
              [](const Episode& a, const Episode& b) { return a.name < b.name; });
    for (const Episode& episode : episodes) WriteBytes(folder / episode.name, episode.bytes);
  }
  std::string Path(const Episode& episode) const { return (folder / episode.name).string(); }
  std::string Results(const std::string& result) const {
    std::string lines;
    for (const Episode& episode : episodes) lines += result + "\t" + Path(episode) + "\n";
    return lines;
  }
};

TEST(Conversion, ConvertsASeasonOnceAndUndoesIt) {
  MixedSeason season;
  const std::string folder = season.folder.path().string();

  // A dry run writes nothing, and tells the guessed code pages.
  ProcessResult r = RunProcess(kCli, {"convert", "--dry-run", folder});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.out, season.Results("1"));
  EXPECT_FALSE(fs::exists(season.folder / "Nosk_backup"));
  for (const auto& [name, label] : {std::pair{"ja.ass", "Shift-JIS"},
                                    {"ru.ass", "Windows-1251"},
                                    {"zh-hant.ass", "Big5"},
                                    {"fr.ass", "Windows-1252"},
                                    {"zh-hans.ass", "GB18030"}}) {
    EXPECT_NE(r.err.find("nosk-cli: " + (season.folder / name).string() + ": read as " + label +
                         " (guessed from its bytes)\n"),
              std::string::npos)
        << r.err;
  }

  r = RunProcess(kCli, {"convert", folder});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.out, season.Results("1"));
  for (const auto& episode : season.episodes) {
    EXPECT_EQ(ReadBytes(season.Path(episode)), episode.converted) << episode.name;
    EXPECT_EQ(ReadBytes(season.folder / "Nosk_backup" / (episode.name + ".~1~")), episode.bytes);
  }

  // Converted scripts are UTF-8 with the mark already: nothing to do, nothing backed up.
  r = RunProcess(kCli, {"convert", folder});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.out, season.Results("0"));
  EXPECT_FALSE(fs::exists(season.folder / "Nosk_backup" / "ru.ass.~2~"));

  // And a search finds their text as it is typed.
  WriteBytes(season.folder / "sign.txt",
             "Dialogue: 5,0:01:50.84,0:01:53.84,Sign,,0,0,0,,{\\fad(200,200)\\pos(960,80)}Касса\n");
  const std::string russian = (season.folder / "utf16be.ass").string();
  r = RunProcess(kCli, {"search", "--match", "text", "--block",
                        (season.folder / "sign.txt").string(), russian});
  EXPECT_EQ(r.out, "2\t" + russian + "\n") << r.err;

  r = RunProcess(kCli, {"undo", folder});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  for (const auto& episode : season.episodes) {
    EXPECT_EQ(ReadBytes(season.Path(episode)), episode.bytes) << episode.name;
  }
}

// Each choice of --to and --eol, tied to the bytes it writes.
TEST(Conversion, WritesTheTargetAndLineEndsEachOptionNames) {
  const std::string script = "[Script Info]\r\nTitle: x\n[Events]\r\nDialogue: a\n";
  struct Case {
    std::vector<std::string> options;
    std::string expected;
  };
  const Case cases[] = {
      {{}, kMark + script},
      {{"--to", "utf-8-bom"}, kMark + script},
      {{"--to", "utf-8"}, script},
      {{"--eol", "keep"}, kMark + script},
      {{"--eol", "crlf"}, kMark + "[Script Info]\r\nTitle: x\r\n[Events]\r\nDialogue: a\r\n"},
      {{"--to", "utf-8", "--eol", "lf"}, "[Script Info]\nTitle: x\n[Events]\nDialogue: a\n"},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    WriteBytes(folder / "a.ass", script);
    std::vector<std::string> arguments = {"convert"};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    arguments.push_back((folder / "a.ass").string());
    const ProcessResult r = RunProcess(kCli, arguments);
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(ReadBytes(folder / "a.ass"), c.expected) << testing::PrintToString(c.options);
    EXPECT_EQ(r.out.substr(0, 2), c.expected == script ? "0\t" : "1\t");
  }
}

TEST(Conversion, TakesANamedCodePageAndRefusesBytesItLacks) {
  TempFolder folder;
  // KOI8-R, which would not be guessed from so little text, named.
  WriteBytes(folder / "koi8.ass",
             Iconv("[Events]\nDialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Привет\n", "UTF-8",
                   "KOI8-R"));
  // Windows-1251 with a byte it does not define, on line 3.
  WriteBytes(folder / "broken.ass", "[Events]\r\nDialogue: a\r\nDialogue: b\x98\r\n");
  ProcessResult r =
      RunProcess(kCli, {"convert", "--from", "koi8-r", (folder / "koi8.ass").string()});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(ReadBytes(folder / "koi8.ass"),
            kMark + "[Events]\nDialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Привет\n");

  r = RunProcess(kCli, {"convert", "--from", "windows-1251", (folder / "broken.ass").string()});
  EXPECT_EQ(r.exitStatus, 1);
  EXPECT_EQ(r.out, "Error\t" + (folder / "broken.ass").string() + "\n");
  EXPECT_EQ(r.err, "nosk-cli: " + (folder / "broken.ass").string() +
                       ": line 3: the bytes 98 0D 0A are not Windows-1251 text; it was not "
                       "converted\n");
  EXPECT_EQ(ReadBytes(folder / "broken.ass"), "[Events]\r\nDialogue: a\r\nDialogue: b\x98\r\n");
  EXPECT_FALSE(fs::exists(folder / "Nosk_backup" / "broken.ass.~1~"));

  r = RunProcess(kCli, {"convert", "--from", "martian", (folder / "broken.ass").string()});
  EXPECT_NE(r.exitStatus, 0);
  EXPECT_NE(r.err.find("not an encoding this system knows: martian"), std::string::npos) << r.err;
}

// --diff shows what changes in the decoded text: here the line ends, and the lines that are not
// ASCII, whose bytes change.
TEST(Conversion, DiffsTheDecodedText) {
  TempFolder folder;
  WriteBytes(folder / "a.ass",
             Iconv("[Events]\r\nDialogue: a\r\nDialogue: Привет\r\n", "UTF-8", "CP1251"));
  const ProcessResult r = RunProcess(kCli, {"convert", "--dry-run", "--diff", "--from", "cp1251",
                                            "--to", "utf-8", (folder / "a.ass").string()});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  const std::string path = (folder / "a.ass").string();
  EXPECT_EQ(r.out, "--- " + path + "\n+++ " + path +
                       "\n@@ -1,3 +1,3 @@\n [Events]\r\n Dialogue: a\r\n-Dialogue: "
                       "Привет\r\n+Dialogue: Привет\r\n");
}

}  // namespace
}  // namespace nosk::cli
