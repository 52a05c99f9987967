// Blocks looked for outside the event lines: styles found by name, header keys set everywhere and
// added where missing, any lines; each --section value tied to what it finds and writes.
#include <gtest/gtest.h>

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

const std::string kCli = NOSK_CLI;

const std::string kStylesFormat =
    "Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, OutlineColour, "
    "BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, ScaleY, Spacing, Angle, "
    "BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, Encoding";
const std::string kEvents =
    "[Events]\r\n"
    "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n"
    "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Style: Default,Arial\r\n";
const std::string kNewDefault =
    "Style: Default,Noto Sans,70,&H00FFFFFF,&H000000FF,&H00000000,"
    "&H80000000,0,0,0,0,100,100,0,0,1,3,1,2,150,150,55,1";

std::string Episode(const std::string& info, const std::string& styles) {
  return "[Script Info]\r\n" + info + "\r\n[V4+ Styles]\r\n" + kStylesFormat + "\r\n" + styles +
         "\r\n" + kEvents;
}

struct Season {
  TempFolder folder;
  std::vector<std::string> names;
  void Add(const std::string& name, const std::string& bytes) {
    WriteBytes(folder / name, bytes);
    names.push_back(name);
  }
  std::string Read(const std::string& name) const { return ReadBytes(folder / name); }
  fs::path Block(const std::string& name, const std::string& lines) const {
    WriteBytes(folder / name, lines);
    return folder / name;
  }
  ProcessResult Run(std::vector<std::string> arguments) const {
    arguments.push_back("--");
    for (const std::string& name : names) arguments.push_back((folder / name).string());
    return RunProcess(kCli, arguments);
  }
  std::string Results(const std::vector<const char*>& counts) const {
    std::string lines;
    for (std::size_t i = 0; i < names.size(); ++i) {
      lines += std::string(counts[i]) + "\t" + (folder / names[i]).string() + "\n";
    }
    return lines;
  }
};

TEST(Sections, EachSectionFindsItsOwnLines) {
  Season season;
  season.Add("a.ass", Episode("ScriptType: v4.00+\r\nPlayResX: 1920\r\n",
                              "Style: Default,Arial,20,&H00FFFFFF,&H000000FF,&H00000000,"
                              "&H00000000,0,0,0,0,100,100,0,0,1,2,2,2,10,10,10,1\r\n"));
  // "Style: Default,Arial" stands in the Text of an event line too: only the sections that
  // reach that line may find it whole.
  const struct {
    const char* section;
    const char* match;
    std::string block;
    const char* count;
  } cases[] = {
      {"styles", "text", "Style: Default,Other,1", "1"},
      {"styles", "full", "Style: Default,Other,1", "0"},
      {"header", "text", "PlayResX: 1280", "1"},
      {"header", "format", "PlayResX: 1280", "1"},
      {"header", "full", "PlayResX: 1280", "0"},
      {"header", "full", "PlayResX: 1920", "1"},
      {"any", "text", "PlayResX: 1920", "1"},
      {"any", "full", "ScriptType: v4.00+\nPlayResX: 1920\n\n[V4+ Styles]", "1"},
      {"any", "full", "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Style: Default,Arial",
       "1"},
      {"events", "text", "Dialogue: 0,0:00:05.00,0:00:06.00,Sign,,0,0,0,,Style: Default,Arial",
       "1"},
  };
  for (const auto& c : cases) {
    const fs::path block = season.Block("block.txt", c.block + "\n");
    const ProcessResult r = season.Run(
        {"search", "--section", c.section, "--match", c.match, "--block", block.string()});
    EXPECT_EQ(r.exitStatus, 0) << c.section << " " << c.block << r.err;
    EXPECT_EQ(r.out, season.Results({c.count})) << c.section << " " << c.match << " " << c.block;
  }
}

// A season restyled from one template: each episode's Default, whatever its definition, takes
// the new one with the episode's own line end; the other styles and every other byte stay.
TEST(Sections, RestylesAStyleFoundByNameInEveryEpisode) {
  Season season;
  const std::string sign =
      "Style: Sign,Georgia,64,&H00F0F0F0,&H000000FF,&H00303030,&H00000000,"
      "1,0,0,0,100,100,0,0,1,2,0,8,40,40,40,1\r\n";
  const std::string info = "ScriptType: v4.00+\r\n";
  season.Add("01.ass", Episode(info,
                               "Style: Default,Arial,20,&H00FFFFFF,&H000000FF,&H00000000,"
                               "&H00000000,0,0,0,0,100,100,0,0,1,2,2,2,10,10,10,1\r\n" +
                                   sign));
  season.Add("02.ass", Episode(info, sign + "Style:   *Default ,Verdana,48,&H00FFFFFF,&H000000FF,"
                                            "&H00000000,&H00000000,0,0,0,0,100,100,0,0,1,2,2,2,"
                                            "10,10,10,1\n"));
  season.Add("03.ass", Episode(info, sign));
  const fs::path block = season.Block("default.txt", kNewDefault + "\n");
  ProcessResult r = season.Run({"replace", "--section", "styles", "--match", "text", "--block",
                                block.string(), "--with", block.string()});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.out, season.Results({"1", "1", "0"}));
  EXPECT_EQ(season.Read("01.ass"), Episode(info, kNewDefault + "\r\n" + sign));
  EXPECT_EQ(season.Read("02.ass"), Episode(info, sign + kNewDefault + "\n"));
  EXPECT_EQ(season.Read("03.ass"), Episode(info, sign));
  // Run again, it finds every episode so already, and writes nothing.
  r = season.Run({"replace", "--section", "styles", "--match", "text", "--block", block.string(),
                  "--with", block.string()});
  EXPECT_EQ(r.out, season.Results({"0", "0", "0"}));
  EXPECT_FALSE(fs::exists(season.folder / "Nosk_backup/01.ass.~2~"));
}

TEST(Sections, SetsAHeaderValueAddingItWhereMissing) {
  Season season;
  const std::string mark = "\xEF\xBB\xBF";
  season.Add("1-present.ass", Episode("ScriptType: v4.00+\r\nYCbCr Matrix: TV.601\r\n", ""));
  season.Add("2-missing.ass", Episode("; a comment\r\nScriptType: v4.00+\r\n", ""));
  // No [Script Info] at all, and a UTF-8 mark: the section goes first, after the mark.
  season.Add("3-bare.ass", mark + kEvents);
  const fs::path block = season.Block("matrix.txt", "YCbCr Matrix: TV.709\n");
  const ProcessResult r =
      season.Run({"replace", "--section", "header", "--match", "text", "--add-missing", "--block",
                  block.string(), "--with", block.string()});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.out, season.Results({"1", "1", "1"}));
  EXPECT_NE(r.err.find("it had none: the Replace block is added"), std::string::npos) << r.err;
  EXPECT_EQ(season.Read("1-present.ass"),
            Episode("ScriptType: v4.00+\r\nYCbCr Matrix: TV.709\r\n", ""));
  EXPECT_EQ(season.Read("2-missing.ass"),
            Episode("; a comment\r\nScriptType: v4.00+\r\nYCbCr Matrix: TV.709\r\n", ""));
  EXPECT_EQ(season.Read("3-bare.ass"),
            mark + "[Script Info]\r\nYCbCr Matrix: TV.709\r\n\r\n" + kEvents);
  // Undo puts the season back.
  EXPECT_EQ(RunProcess(kCli, {"undo", "--", season.folder.path().string()}).exitStatus, 0);
  EXPECT_EQ(season.Read("3-bare.ass"), mark + kEvents);
}

// The dry run's diff makes the bytes the run writes: a line replaced, a line added after the
// section's last, a section put before the first line's text.
TEST(Sections, TheDryRunsDiffMakesWhatTheRunWrites) {
  Season season;
  season.Add("1.ass", Episode("ScriptType: v4.00+\r\nYCbCr Matrix: TV.601\r\n", ""));
  season.Add("2.ass", Episode("ScriptType: v4.00+\r\n", ""));
  season.Add("3.ass", "\xEF\xBB\xBF" + kEvents);
  const fs::path block = season.Block("matrix.txt", "YCbCr Matrix: TV.709\n");
  const std::vector<std::string> run = {"replace", "--section",     "header",  "--match",
                                        "text",    "--add-missing", "--block", block.string(),
                                        "--with",  block.string()};
  TempFolder patched;
  for (const std::string& name : season.names) {
    std::vector<std::string> dry = run;
    dry.insert(dry.end(), {"--dry-run", "--diff", "--", (season.folder / name).string()});
    const ProcessResult preview = RunProcess(kCli, dry);
    EXPECT_EQ(preview.exitStatus, 0) << preview.err;
    WriteBytes(patched / name, season.Read(name));
    WriteBytes(patched / "diff", preview.out);
    EXPECT_EQ(RunProcess("/usr/bin/patch", {"--binary", "-s", "-d", patched.path().string(), "-i",
                                            (patched / "diff").string(), name})
                  .exitStatus,
              0)
        << preview.out;
  }
  EXPECT_EQ(season.Run(run).exitStatus, 0);
  for (const std::string& name : season.names) {
    EXPECT_EQ(ReadBytes(patched / name), season.Read(name)) << name;
  }
}

TEST(Sections, AddsAStyleSectionBeforeTheEvents) {
  Season season;
  season.Add("a.ass", "[Script Info]\nScriptType: v4.00+\n\n" + kEvents);
  const fs::path block = season.Block("default.txt", kNewDefault + "\n");
  const ProcessResult r =
      season.Run({"replace", "--section", "styles", "--match", "text", "--add-missing", "--block",
                  block.string(), "--with", block.string()});
  EXPECT_EQ(r.out, season.Results({"1"})) << r.err;
  // The script's first line ends in LF: so do the lines put in.
  EXPECT_EQ(season.Read("a.ass"), "[Script Info]\nScriptType: v4.00+\n\n[V4+ Styles]\n" +
                                      kStylesFormat + "\n" + kNewDefault + "\n\n" + kEvents);
}

TEST(Sections, RefusesWhatTheSectionCannotTake) {
  Season season;
  season.Add("a.ass", Episode("ScriptType: v4.00+\r\n", ""));
  const fs::path style = season.Block("style.txt", kNewDefault + "\n");
  const fs::path event =
      season.Block("event.txt", "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Hi\n");
  const fs::path comment = season.Block("comment.txt", "; PlayResX: 1\n");
  const struct {
    std::vector<std::string> arguments;
    const char* reason;
  } cases[] = {
      {{"search", "--section", "styles", "--block", event.string()},
       "Line 1 is not a Style: line."},
      {{"search", "--section", "header", "--block", comment.string()},
       "Line 1 is not a header line (Key: value)."},
      {{"replace", "--section", "styles", "--mode", "text", "--block", style.string(), "--with",
        style.string()},
       "Among style lines only the replace modes full match and none can be used."},
      {{"replace", "--section", "any", "--add-missing", "--block", style.string(), "--with",
        style.string()},
       "Add where missing works on style and header lines only."},
      {{"replace", "--add-missing", "--block", event.string(), "--with", event.string()},
       "Add where missing works on style and header lines only."},
      {{"search", "--section", "styles", "--skip-style", "Sign", "--block", style.string()},
       "Exclusions and sorting work on event lines only."},
  };
  for (const auto& c : cases) {
    const ProcessResult r = season.Run(c.arguments);
    EXPECT_EQ(r.exitStatus, 2) << c.reason;
    EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
  }
  EXPECT_EQ(season.Read("a.ass"), Episode("ScriptType: v4.00+\r\n", ""));
}

}  // namespace
}  // namespace nosk::cli
