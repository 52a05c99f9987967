#include "engine/run.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>

#include "engine/batchsettings.h"
#include "engine/internal/runjournal.h"
#include "tests/common/recordinghost.h"
#include "tests/common/tempfolder.h"

namespace nosk::engine {
namespace {

namespace fs = std::filesystem;
using testsupport::ReadBytes;
using testsupport::RecordingHost;
using testsupport::TempFolder;
using testsupport::WriteBytes;

const fs::path kData = fs::path(NOSK_TEST_DATA);

struct Entry {
  fs::path path;
  bool checked = true;
  std::int32_t result = kNotProcessed;
  std::string reason;
  bool announced = false;
  ScriptResult stored;
};

class TestFileList : public FileList {
 public:
  explicit TestFileList(std::vector<fs::path> paths) {
    for (fs::path& path : paths) {
      Entry entry;
      entry.path = std::move(path);
      entries.push_back(std::move(entry));
    }
  }
  std::int32_t Count() const override { return static_cast<std::int32_t>(entries.size()); }
  bool GetChecked(std::int32_t i) const override { return entries[i].checked; }
  fs::path GetPath(std::int32_t i) const override { return entries[i].path; }
  void StoreResult(std::int32_t i, const ScriptResult& result) override {
    entries[i].result = result.code;
    entries[i].reason = script::English(result.reason);
    entries[i].announced = result.announce;
    entries[i].stored = result;
  }
  std::vector<std::int32_t> Results() const {
    std::vector<std::int32_t> results;
    for (const Entry& e : entries) results.push_back(e.result);
    return results;
  }
  std::vector<Entry> entries;
};

const std::string kSign = R"({\fad(200,200)\pos(640,60)}Станция)";
const std::string kSearchSign = "Dialogue: 5,0:00:06.00,0:00:08.00,Sign,,0,0,0,," + kSign;
const std::string kSearchGo = "Dialogue: 0,0:00:08.00,0:00:10.00,Default,Aki,0,0,0,,Let's go.";

// The file at a path, in the version it is in now, as the journal records files.
script::FileIdentity StateOf(const fs::path& path) {
  struct stat status {};
  EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
  return script::FileIdentity::Of(status);
}

// A run of the window's settings and editors, as its page makes the request.
RunOutcome RunBatch(Host& host, FileList& files, const BatchSettings& settings,
                    const EditorTexts& editors, RunMode mode) {
  return Run(RequestOf(settings, editors, mode), files, host);
}

// The names in a folder, sorted.
std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

struct GoldenCase {
  std::string name;  // also the expected file: <name>.expected.ass
  BatchSettings settings;
  std::vector<std::string> searchLines;
  std::vector<std::string> replaceLines;
  std::string shiftText;
  bool forward;
  std::int32_t result;
  std::string reason = {};  // what the user is told besides the count
};

BatchSettings Replacing(Matching search, Replacement replace) {
  BatchSettings s;
  s.WorkMode = Page::ScriptReplace;
  s.SearchMode = search;
  s.ReplaceMode = replace;
  return s;
}

BatchSettings Shifting(Affect affect, Times times, Matching search = Matching::FullMatch) {
  BatchSettings s;
  s.WorkMode = Page::TimingShift;
  s.SearchMode = search;
  s.AffectMode = affect;
  s.TimesMode = times;
  return s;
}

TEST(BatchRuns, RewriteScriptsAsTheGoldenFilesSayAndKeepTheirBackups) {
  const std::vector<std::string> sign = {kSearchSign, kSearchGo};
  const GoldenCase cases[] = {
      {"replace-text",
       Replacing(Matching::TextOnly, Replacement::TextOnly),
       sign,
       {R"(Dialogue: 0,0:00:00.00,0:00:00.00,Sign,,0,0,0,,{\pos(640,60)}Station)",
        "Dialogue: 0,0:00:00.00,0:00:00.00,Default,,0,0,0,,Come on."},
       "",
       true,
       2},
      {"replace-format",
       Replacing(Matching::TextAndFormat, Replacement::TextAndFormat),
       sign,
       {R"(Dialogue: 0,0:00:00.00,0:00:01.00,Sign,,0,0,0,,{\an8}Station)",
        "Dialogue: 0,0:00:00.00,0:00:01.00,Default,Aki,0,0,0,,Come on."},
       "",
       true,
       2},
      {"replace-timing",
       Replacing(Matching::TextAndFormat, Replacement::TimingShift),
       sign,
       {R"(Dialogue: 5,0:20:00.00,0:20:02.00,Sign,,0,0,0,,{\pos(640,60)}Station)",
        R"(Dialogue: 5,0:20:00.50,0:20:02.00,Sign,,0,0,0,,{\pos(640,100)}Central Line)",
        "Dialogue: 0,0:20:02.00,0:20:04.00,Default,Aki,0,0,0,,Let's go."},
       "",
       true,
       2},
      {"replace-full",
       Replacing(Matching::FullMatch, Replacement::FullMatch),
       sign,
       {R"(Dialogue: 5,0:00:06.00,0:00:08.00,Sign,,0,0,0,,{\pos(640,60)}Station)",
        "Comment: 0,0:00:06.00,0:00:08.00,Sign,,0,0,0,,TL: Станция = station",
        "Dialogue: 0,0:00:08.00,0:00:10.00,Default,Aki,0,0,0,,Let's go."},
       "",
       true,
       1},
      {"replace-delete",
       Replacing(Matching::TextAndFormat, Replacement::FullMatch),
       sign,
       {""},
       "",
       true,
       2},
      {"shift-all",
       Shifting(Affect::AllFilesAllRows, Times::StartAndEnd),
       sign,
       {},
       "0:00:01.50",
       true,
       1},
      {"shift-after",
       Shifting(Affect::RowsAfter, Times::StartOnly),
       sign,
       {},
       "0:00:05.00",
       false,
       1},
      {"shift-before",
       Shifting(Affect::RowsBeforeAndBlock, Times::EndOnly, Matching::TextAndFormat),
       sign,
       {},
       "0:00:07.00",
       false,
       1,
       "5 lines were moved back past 0:00:00.00, where their times stop, or now end before they "
       "start"},
  };
  const std::string original = ReadBytes(kData / "episode.ass");
  for (const GoldenCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    fs::copy_file(kData / "episode.ass", folder / "episode.ass");
    TestFileList files({folder / "episode.ass"});
    RecordingHost host;
    BatchSettings settings = c.settings;
    EditorTexts editors{c.searchLines, c.replaceLines, c.shiftText, c.forward};
    const std::string expected = ReadBytes(kData / (c.name + ".expected.ass"));
    // The preview is the write's own computation, without the write.
    ASSERT_TRUE(RunBatch(host, files, settings, editors, RunMode::Preview));
    const ScriptResult previewed = files.entries[0].stored;
    EXPECT_EQ(previewed.code, c.result);
    EXPECT_EQ(previewed.newContent, HashOf(expected));
    EXPECT_GT(previewed.changedLines, 0);
    EXPECT_EQ(Names(folder.path()), (std::vector<std::string>{"episode.ass"}));

    ASSERT_TRUE(RunBatch(host, files, settings, editors, RunMode::Write));
    EXPECT_EQ(files.entries[0].reason, c.reason);
    EXPECT_EQ(files.entries[0].result, c.result);
    EXPECT_EQ(files.entries[0].stored.changedLines, previewed.changedLines);
    EXPECT_EQ(ReadBytes(folder / "episode.ass"), expected);  // what the preview worked out
    EXPECT_EQ(ReadBytes(folder / "Nosk_backup" / "episode.ass.~1~"), original);
    EXPECT_EQ(files.entries[0].stored.backup, folder / "Nosk_backup" / "episode.ass.~1~");
    EXPECT_EQ(Names(folder.path()), (std::vector<std::string>{"Nosk_backup", "episode.ass"}));
    // The journal records what the run wrote and what it backed up.
    JournalReading reading;
    script::Folder backups;
    ASSERT_TRUE(script::Folder::Open(folder / "Nosk_backup", backups).ok());
    ASSERT_TRUE(ReadOwnRuns(backups, ::geteuid(), reading).ok());
    ASSERT_EQ(reading.records.size(), 1u);
    EXPECT_FALSE(reading.records[0].interrupted);
    ASSERT_EQ(reading.records[0].scripts.size(), 1u);
    const JournalEntry& entry = reading.records[0].scripts[0];
    EXPECT_EQ(entry.script, "episode.ass");
    EXPECT_EQ(entry.backup, "episode.ass.~1~");
    EXPECT_TRUE(entry.done);
    EXPECT_TRUE(entry.before.SameState(StateOf(folder / "Nosk_backup" / "episode.ass.~1~")));
    EXPECT_TRUE(entry.after.SameState(StateOf(folder / "episode.ass")));
    EXPECT_FALSE(host.progressVisible);
    EXPECT_EQ(host.statusText, "");
  }
}

TEST(BatchRuns, SearchRunsCountAndWriteNothing) {
  struct Case {
    std::string name;
    BatchSettings settings;
    std::vector<std::string> searchLines;
    std::int32_t result;
  };
  const std::vector<std::string> sign = {kSearchSign, kSearchGo};
  const std::vector<std::string> absent = {
      "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,Not in the script"};
  const Case cases[] = {
      {"text only", Replacing(Matching::TextOnly, Replacement::FullMatch), sign, 2},
      {"text and format", Replacing(Matching::TextAndFormat, Replacement::FullMatch), sign, 2},
      {"full match", Replacing(Matching::FullMatch, Replacement::FullMatch), sign, 1},
      {"not found", Replacing(Matching::FullMatch, Replacement::FullMatch), absent, 0},
      {"shift, all files", Shifting(Affect::AllFilesAllRows, Times::StartAndEnd), absent, 1},
      {"shift, block found", Shifting(Affect::AllRows, Times::StartAndEnd), sign, 1},
      {"shift, block not found", Shifting(Affect::RowsAfter, Times::StartAndEnd), absent, 0},
  };
  const std::string original = ReadBytes(kData / "episode.ass");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    fs::copy_file(kData / "episode.ass", folder / "episode.ass");
    TestFileList files({folder / "episode.ass"});
    RecordingHost host;
    BatchSettings settings = c.settings;
    ASSERT_TRUE(
        RunBatch(host, files, settings, {c.searchLines, {}, "0:00:01.00", true}, RunMode::Count));
    EXPECT_EQ(files.entries[0].result, c.result);
    EXPECT_EQ(ReadBytes(folder / "episode.ass"), original);
    EXPECT_EQ(Names(folder.path()), (std::vector<std::string>{"episode.ass"}));
  }
}

TEST(BatchRuns, GiveEveryEntryItsResultAndGoOnAfterFailures) {
  TempFolder folder;
  fs::copy_file(kData / "episode.ass", folder / "a.ass");
  fs::copy_file(kData / "episode.ass", folder / "unchecked.ass");
  WriteBytes(folder / "no-events.ass",
             "[Script Info]\r\nDialogue: 0,0:00:01.00,0:00:02.00,D,,0,0,0,,x\r\n");
  WriteBytes(folder / "fonts-only.ass",
             "[Events]\r\n[Fonts]\r\nDialogue: 0,0:00:01.00,0:00:02.00,D,,0,0,0,,x\r\n");
  std::string utf16 = "\xFF\xFE";
  for (char c : ReadBytes(kData / "episode.ass")) utf16 += std::string{c, '\0'};
  WriteBytes(folder / "utf16.ass", utf16);
  fs::create_directory(folder / "folder.ass");
  fs::copy_file(kData / "episode.ass", folder / "z.ass");
  TestFileList files({folder / "a.ass", folder / "missing.ass", folder / "unchecked.ass",
                      folder / "no-events.ass", folder / "fonts-only.ass", folder / "utf16.ass",
                      folder / "folder.ass", folder / "z.ass"});
  files.entries[2].checked = false;
  files.entries[2].result = 7;
  RecordingHost host;
  BatchSettings settings = Replacing(Matching::TextOnly, Replacement::FullMatch);
  ASSERT_TRUE(RunBatch(host, files, settings, {{kSearchSign}, {}, "", true}, RunMode::Count));
  EXPECT_EQ(files.Results(), (std::vector<std::int32_t>{2, -1, -2, -1, -1, -1, -1, 2}));
  EXPECT_EQ(files.entries[1].reason, "no file at this path");
  EXPECT_EQ(files.entries[3].reason, "no event lines in an [Events] section");
  EXPECT_EQ(files.entries[4].reason, "no event lines in an [Events] section");
  EXPECT_NE(files.entries[5].reason.find("UTF-16"), std::string::npos);
  EXPECT_EQ(files.entries[6].reason, "it is a folder, not a file");
  EXPECT_EQ(files.entries[0].reason, "");
}

// The newest backup always has the highest number, even after older ones were deleted: a user
// restoring by hand takes the highest as the newest. Other names' backups do not count.
TEST(BatchRuns, NumberBackupsOneAboveTheHighest) {
  TempFolder folder;
  fs::copy_file(kData / "episode.ass", folder / "a.ass");
  fs::create_directory(folder / "Nosk_backup");
  WriteBytes(folder / "Nosk_backup" / "a.ass.~3~", "older");
  WriteBytes(folder / "Nosk_backup" / "b.ass.~9~", "another script's");
  WriteBytes(folder / "Nosk_backup" / "a.ass.~x~", "not a number");
  TestFileList files({folder / "a.ass"});
  RecordingHost host;
  BatchSettings settings = Shifting(Affect::AllFilesAllRows, Times::StartAndEnd);
  const EditorTexts editors{{kSearchGo}, {}, "0:00:01.00", true};
  const std::string original = ReadBytes(folder / "a.ass");
  ASSERT_TRUE(RunBatch(host, files, settings, editors, RunMode::Write));
  const std::string once = ReadBytes(folder / "a.ass");
  ASSERT_TRUE(RunBatch(host, files, settings, editors, RunMode::Write));
  EXPECT_EQ(ReadBytes(folder / "Nosk_backup" / "a.ass.~3~"), "older");
  EXPECT_EQ(ReadBytes(folder / "Nosk_backup" / "a.ass.~4~"), original);
  EXPECT_EQ(ReadBytes(folder / "Nosk_backup" / "a.ass.~5~"), once);
  EXPECT_EQ(Names(folder / "Nosk_backup"),
            (std::vector<std::string>{"a.ass.~3~", "a.ass.~4~", "a.ass.~5~", "a.ass.~x~",
                                      "b.ass.~9~", JournalNameOf(::geteuid()), "lock"}));
}

TEST(BatchRuns, StopAtTheirChecksWithoutTouchingAFile) {
  struct Case {
    std::string name;
    BatchSettings settings;
    EditorTexts editors;
    bool emptyList;
    std::string status;
    std::string explanation;  // "title: text" of the box that tells more
  };
  const Case cases[] = {
      {"no files",
       Replacing(Matching::FullMatch, Replacement::FullMatch),
       {{kSearchGo}, {}},
       true,
       "No files.",
       ""},
      {"empty Search editor",
       Replacing(Matching::FullMatch, Replacement::FullMatch),
       {{"", ""}, {}},
       false,
       "Search data error. It holds no event line.",
       ""},
      {"empty Search editor, shifting the rows before the block",
       Shifting(Affect::RowsBefore, Times::StartAndEnd),
       {{}, {}, "0:00:01.00"},
       false,
       "Search data error. It holds no event line.",
       ""},
      {"invalid Replace line",
       Replacing(Matching::FullMatch, Replacement::FullMatch),
       {{kSearchGo}, {"Dialogue: nonsense"}},
       false,
       "Replace data error. Line 1 is not an event line: it has 0 of the 9 commas.",
       ""},
      {"longer Replace block, text only",
       Replacing(Matching::FullMatch, Replacement::TextOnly),
       {{kSearchGo}, {kSearchGo, kSearchSign}},
       false,
       "Replace data error.",
       "Replace Data Error: the Replace block has 2 event lines and the Search block 1: in this "
       "mode each new line takes the times of the line it replaces"},
      {"longer Replace block, text and format",
       Replacing(Matching::FullMatch, Replacement::TextAndFormat),
       {{kSearchGo}, {kSearchGo, kSearchSign}},
       false,
       "Replace data error.",
       "Replace Data Error: the Replace block has 2 event lines and the Search block 1: in this "
       "mode each new line takes the times of the line it replaces"},
      // A blank line in the middle counts, as a line of the block; trailing ones do not.
      {"shorter Replace block, text and format",
       Replacing(Matching::FullMatch, Replacement::TextAndFormat),
       {{kSearchSign, "", kSearchGo}, {kSearchGo, kSearchSign, "", ""}},
       false,
       "Replace data error.",
       "Replace Data Error: the Replace block has 2 event lines and the Search block 3: in this "
       "mode each new line takes the times of the line it replaces"},
      {"empty Replace block, text only",
       Replacing(Matching::FullMatch, Replacement::TextOnly),
       {{kSearchGo}, {}},
       false,
       "Replace data error.",
       "Replace Data Error: the Replace block has 0 event lines and the Search block 1: in this "
       "mode each new line takes the times of the line it replaces"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    fs::copy_file(kData / "episode.ass", folder / "a.ass");
    TestFileList files(c.emptyList ? std::vector<fs::path>{} : std::vector{folder / "a.ass"});
    if (!c.emptyList) files.entries[0].result = 3;  // from an earlier run
    RecordingHost host;
    BatchSettings settings = c.settings;
    const RunOutcome outcome = RunBatch(host, files, settings, c.editors, RunMode::Write);
    ASSERT_TRUE(outcome.stopped);
    EXPECT_EQ(script::English(outcome.stopped->status), c.status);
    EXPECT_EQ(outcome.stopped->explanation.empty()
                  ? ""
                  : script::English(outcome.stopped->title) + ": " +
                        script::English(outcome.stopped->explanation),
              c.explanation);
    EXPECT_TRUE(host.calls.empty()) << "a stopped run shows nothing";
    if (!c.emptyList) {
      EXPECT_EQ(files.entries[0].result, 3);
    }
    EXPECT_EQ(Names(folder.path()), (std::vector<std::string>{"a.ass"}));
  }
}

// "All Files, All Rows" does not look for the block, so whatever its editor holds is not read.
TEST(BatchRuns, ShiftEveryScriptWithoutReadingTheSearchBlock) {
  for (const std::vector<std::string>& search :
       {std::vector<std::string>{}, std::vector<std::string>{"not an event line"}}) {
    TempFolder folder;
    fs::copy_file(kData / "episode.ass", folder / "a.ass");
    TestFileList files({folder / "a.ass"});
    RecordingHost host;
    BatchSettings settings = Shifting(Affect::AllFilesAllRows, Times::StartAndEnd);
    EXPECT_TRUE(RunBatch(host, files, settings, {search, {}, "0:00:01.50"}, RunMode::Write));
    EXPECT_EQ(files.Results(), std::vector<std::int32_t>{1});
    EXPECT_EQ(ReadBytes(folder / "a.ass"), ReadBytes(kData / "shift-all.expected.ass"));
  }
}

TEST(BatchRuns, AcceptLongerReplaceBlocksWhereLinesCanBeInserted) {
  for (Replacement mode : {Replacement::TimingShift, Replacement::FullMatch}) {
    TempFolder folder;
    fs::copy_file(kData / "episode.ass", folder / "a.ass");
    TestFileList files({folder / "a.ass"});
    RecordingHost host;
    BatchSettings settings = Replacing(Matching::FullMatch, mode);
    EXPECT_TRUE(
        RunBatch(host, files, settings, {{kSearchGo}, {kSearchGo, kSearchSign}}, RunMode::Write));
    EXPECT_EQ(files.entries[0].result, 1);
  }
}

// The modes that keep times take a Replace block as long as the Search block; the two that do
// not take any length, shorter ones deleting lines and longer ones putting lines in.
TEST(BatchRuns, TakeReplaceBlocksOfTheLengthTheirModeCanWrite) {
  const struct {
    Replacement mode;
    std::vector<std::string> replace;
    bool accepted;
  } cases[] = {
      {Replacement::TextOnly, {kSearchSign}, true},
      {Replacement::TextAndFormat, {kSearchSign}, true},
      {Replacement::TextOnly, {kSearchSign, kSearchGo}, false},
      {Replacement::TimingShift, {}, true},
      {Replacement::TimingShift, {kSearchSign, kSearchGo}, true},
      {Replacement::FullMatch, {}, true},
      {Replacement::FullMatch, {kSearchSign, kSearchGo}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    TempFolder folder;
    fs::copy_file(kData / "episode.ass", folder / "a.ass");
    TestFileList files({folder / "a.ass"});
    RecordingHost host;
    const RunOutcome outcome = RunBatch(host, files, Replacing(Matching::FullMatch, c.mode),
                                        {{kSearchGo}, c.replace}, RunMode::Preview);
    EXPECT_EQ(static_cast<bool>(outcome), c.accepted);
    EXPECT_EQ(files.entries[0].result, c.accepted ? 1 : kNotProcessed);
  }
}

// What a rewrite did that moved times where the user may not want them is told beside the
// count: times a backward shift clamped at 0:00:00.00 or turned around, and lines the
// timing-shift replacement puts in that end after the next line starts.
TEST(BatchRuns, SayWhenTimesWereClampedOrNewLinesOverlap) {
  const std::string events =
      "[Events]\r\n"
      "Dialogue: 0,0:00:00.50,0:00:03.00,D,,0,0,0,,early\r\n"
      "Dialogue: 0,0:00:05.00,0:00:06.00,D,,0,0,0,,A\r\n"
      "Dialogue: 0,0:00:07.00,0:00:09.00,D,,0,0,0,,next\r\n";
  const struct {
    std::string name;
    BatchSettings settings;
    EditorTexts editors;
    std::string reason;
  } cases[] = {
      {"back past zero",
       Shifting(Affect::AllFilesAllRows, Times::StartAndEnd),
       {{}, {}, "0:00:01.00", false},
       "1 lines were moved back past 0:00:00.00, where their "
       "times stop, or now end before they start"},
      {"an end before its start",
       Shifting(Affect::AllFilesAllRows, Times::EndOnly),
       {{}, {}, "0:00:02.50", false},
       "2 lines were moved back past 0:00:00.00, where their "
       "times stop, or now end before they start"},
      {"forward",
       Shifting(Affect::AllFilesAllRows, Times::StartAndEnd),
       {{}, {}, "0:00:01.00", true},
       ""},
      {"new lines past the next one",
       Replacing(Matching::TextOnly, Replacement::TimingShift),
       {{"Dialogue: 0,0:00:00.00,0:00:00.00,D,,0,0,0,,A"},
        {"Dialogue: 0,0:01:00.00,0:01:01.00,D,,0,0,0,,A1",
         "Dialogue: 0,0:01:01.00,0:01:02.50,D,,0,0,0,,A2",
         "Dialogue: 0,0:01:02.50,0:01:03.00,D,,0,0,0,,A3"}},
       "2 of the new lines end after the event line that follows them starts"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (const RunMode mode : {RunMode::Preview, RunMode::Write}) {
      TempFolder folder;
      WriteBytes(folder / "a.ass", events);
      TestFileList files({folder / "a.ass"});
      RecordingHost host;
      ASSERT_TRUE(RunBatch(host, files, c.settings, c.editors, mode));
      EXPECT_EQ(files.entries[0].result, 1);
      EXPECT_EQ(files.entries[0].reason, c.reason);
    }
  }
}

// Scripts whose Format line is not the standard ten fields: five fields, the fields in another
// order, SSA v4's Marked. The Format line decides where each field is; a block typed with the
// standard ten finds its lines by the names of their fields, and every line written keeps the
// script's own field order.
TEST(BatchRuns, EditScriptsInTheFieldsTheirFormatLineNames) {
  const struct {
    const char* script;
    std::string lastLine;  // its "Let's go." line, typed in the standard ten fields
  } scripts[] = {
      {"five-fields", "Dialogue: 0,0:00:08.00,0:00:10.00,Default,,0,0,0,,Let's go."},
      {"reordered", "Dialogue: 0,0:00:08.00,0:00:10.00,Default,Aki,0,0,0,,Let's go."},
      {"ssa", "Dialogue: 0,0:00:08.00,0:00:10.00,Default,Aki,0000,0000,0000,,Let's go."},
  };
  const std::vector<std::string> inserted = {
      "Dialogue: 0,0:00:08.00,0:00:11.00,Default,Aki,0,0,0,,Come on!",
      "Comment: 0,0:00:11.00,0:00:11.00,Default,,0,0,0,,(new line)"};
  for (const auto& script : scripts) {
    const struct {
      const char* name;
      BatchSettings settings;
      EditorTexts editors;
    } edits[] = {
        {"shift", Shifting(Affect::AllFilesAllRows, Times::StartAndEnd), {{}, {}, "0:00:01.50"}},
        {"replace",
         Replacing(Matching::FullMatch, Replacement::FullMatch),
         {{script.lastLine}, inserted}},
        {"format",
         Replacing(Matching::TextAndFormat, Replacement::TextAndFormat),
         {{script.lastLine}, {"Dialogue: 0,0:00:00.00,0:00:00.00,Default,Aki,0,0,0,,Come on!"}}},
    };
    for (const auto& edit : edits) {
      SCOPED_TRACE(std::string(script.script) + ", " + edit.name);
      TempFolder folder;
      fs::copy_file(kData / "formats" / (std::string(script.script) + ".ass"), folder / "a.ass");
      TestFileList files({folder / "a.ass"});
      RecordingHost host;
      ASSERT_TRUE(RunBatch(host, files, edit.settings, edit.editors, RunMode::Write));
      EXPECT_EQ(files.entries[0].result, 1) << files.entries[0].reason;
      EXPECT_EQ(ReadBytes(folder / "a.ass"),
                ReadBytes(kData / "formats" /
                          (std::string(script.script) + "." + edit.name + ".expected.ass")));
    }
  }
}

// A block with a Format line of its own is read in those fields, and found by them.
TEST(BatchRuns, ReadABlockInTheFieldsOfItsOwnFormatLine) {
  const struct {
    const char* name;
    std::vector<std::string> block;
    Matching matching;
    std::int32_t found;
  } cases[] = {
      {"five fields, as the script has them",
       {"Format: Layer, Start, End, Style, Text",
        "Dialogue: 0,0:00:08.00,0:00:10.00,Default,Let's go."},
       Matching::FullMatch,
       1},
      {"another order",
       {"Format: Style, Text, Start, End", "Dialogue: Default,Let's go."},
       Matching::TextOnly,
       1},
      {"a line that is not of its format",
       {"Format: Layer, Start, End, Style, Text",
        "Dialogue: 0,0:00:08.00,0:00:10.00,Default,,0,0,0,,Let's go."},
       Matching::FullMatch,
       0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    fs::copy_file(kData / "formats/five-fields.ass", folder / "a.ass");
    TestFileList files({folder / "a.ass"});
    RecordingHost host;
    ASSERT_TRUE(RunBatch(host, files, Replacing(c.matching, Replacement::FullMatch), {c.block, {}},
                         RunMode::Count));
    EXPECT_EQ(files.entries[0].result, c.found);
  }
}

// Which of the event lines A to F each affect mode shifts, the block being C, D.
TEST(BatchRuns, ShiftTheRowsTheAffectModeNames) {
  const std::string letters = "ABCDEF";
  std::string before = "[Events]\r\n";
  for (char letter : letters) {
    before += "Dialogue: 0,0:00:10.00,0:00:20.00,D,,0,0,0,," + std::string(1, letter) + "\r\n";
  }
  const std::vector<std::string> block = {"Dialogue: 0,0:00:10.00,0:00:20.00,D,,0,0,0,,C",
                                          "Dialogue: 0,0:00:10.00,0:00:20.00,D,,0,0,0,,D"};
  const std::pair<Affect, std::string> cases[] = {
      {Affect::AllFilesAllRows, "ABCDEF"}, {Affect::AllRows, "ABCDEF"},
      {Affect::RowsBefore, "AB"},          {Affect::RowsBeforeAndBlock, "ABCD"},
      {Affect::RowsAfterAndBlock, "CDEF"}, {Affect::RowsAfter, "EF"},
  };
  for (const auto& [affect, shifted] : cases) {
    SCOPED_TRACE(static_cast<int>(affect));
    TempFolder folder;
    WriteBytes(folder / "a.ass", before);
    TestFileList files({folder / "a.ass"});
    RecordingHost host;
    BatchSettings settings = Shifting(affect, Times::StartAndEnd);
    ASSERT_TRUE(RunBatch(host, files, settings, {block, {}, "0:00:01.00", true}, RunMode::Write));
    std::string expected = "[Events]\r\n";
    for (char letter : letters) {
      const bool moved = shifted.find(letter) != std::string::npos;
      expected += std::string("Dialogue: 0,") +
                  (moved ? "0:00:11.00,0:00:21.00" : "0:00:10.00,0:00:20.00") + ",D,,0,0,0,," +
                  letter + "\r\n";
    }
    EXPECT_EQ(ReadBytes(folder / "a.ass"), expected);
  }
}

// Every phase of a run (reading, indexing, searching, writing) begins, shows its text at
// position 0 with a repaint, rises at most 100 times without going back, and ends.
TEST(BatchRuns, FollowThePhaseProtocolInEveryPhase) {
  TempFolder folder;
  fs::copy_file(kData / "episode.ass", folder / "a.ass");
  TestFileList files({folder / "a.ass", folder / "missing.ass"});
  RecordingHost host;
  BatchSettings settings = Replacing(Matching::TextAndFormat, Replacement::FullMatch);
  ASSERT_TRUE(RunBatch(host, files, settings, {{kSearchGo}, {kSearchSign}}, RunMode::Write));
  std::vector<std::string> phases;
  for (std::size_t i = 0; i < host.calls.size(); ++i) {
    if (host.calls[i] != "begin") continue;
    ASSERT_LT(i + 3, host.calls.size());
    EXPECT_EQ(host.calls[i + 1], "position 0");
    EXPECT_TRUE(host.calls[i + 2].starts_with("status ")) << host.calls[i + 2];
    EXPECT_EQ(host.calls[i + 3], "repaint");
    phases.push_back(host.calls[i + 2].substr(7));
    int last = 0, changes = 0;
    std::size_t j = i + 4;
    for (; j < host.calls.size() && host.calls[j] != "end"; ++j) {
      ASSERT_NE(host.calls[j], "begin") << "a phase began inside another";
      if (!host.calls[j].starts_with("position ")) continue;
      const int position = std::stoi(host.calls[j].substr(9));
      EXPECT_GT(position, last);
      last = position;
      ++changes;
    }
    EXPECT_LT(j, host.calls.size()) << "a phase that never ended";
    EXPECT_LE(changes, 100);
  }
  EXPECT_EQ(phases, (std::vector<std::string>{
                        "Reading data. Please, wait...", "Data processing. Please, wait...",
                        "Data searching. Please, wait...", "Writing data. Please, wait..."}));
  EXPECT_FALSE(host.progressVisible);
}

// "Backward" negates the typed amount: the shifted episode goes back to where it was.
TEST(BatchRuns, ShiftBackwardByTheTypedAmount) {
  TempFolder folder;
  fs::copy_file(kData / "shift-all.expected.ass", folder / "a.ass");
  TestFileList files({folder / "a.ass"});
  RecordingHost host;
  const BatchSettings settings = Shifting(Affect::AllFilesAllRows, Times::StartAndEnd);
  ASSERT_TRUE(RunBatch(host, files, settings, {{}, {}, "0:00:01.50", false}, RunMode::Write));
  EXPECT_EQ(ReadBytes(folder / "a.ass"), ReadBytes(kData / "episode.ass"));
}

TEST(BatchRuns, RewriteWithEveryLineUnchangedWhenNoRowLiesBeforeTheBlock) {
  TempFolder folder;
  fs::copy_file(kData / "episode.ass", folder / "a.ass");
  TestFileList files({folder / "a.ass"});
  RecordingHost host;
  BatchSettings settings = Shifting(Affect::RowsBefore, Times::StartAndEnd);
  const std::string first = "Dialogue: 0,0:00:01.00,0:00:03.00,Default,Aki,0,0,0,,Where are we?";
  ASSERT_TRUE(RunBatch(host, files, settings, {{first}, {}, "0:00:01.00", true}, RunMode::Write));
  EXPECT_EQ(files.entries[0].result, 1);
  EXPECT_EQ(ReadBytes(folder / "a.ass"), ReadBytes(kData / "episode.ass"));
  EXPECT_TRUE(fs::exists(folder / "Nosk_backup" / "a.ass.~1~"));
}

// A rewritten line takes the line end of the line it replaces, so an LF script stays an LF
// script, and a shift there and back gives the script back byte for byte.
TEST(BatchRuns, KeepTheLineEndsOfAnLfScript) {
  TempFolder folder;
  const auto withLf = [](std::string text) {
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
    return text;
  };
  const std::string lf = withLf(ReadBytes(kData / "episode.ass"));
  WriteBytes(folder / "a.ass", lf);
  TestFileList files({folder / "a.ass"});
  RecordingHost host;
  BatchSettings settings = Shifting(Affect::AllFilesAllRows, Times::StartAndEnd);
  ASSERT_TRUE(
      RunBatch(host, files, settings, {{kSearchGo}, {}, "0:00:01.50", true}, RunMode::Write));
  EXPECT_EQ(ReadBytes(folder / "a.ass"), withLf(ReadBytes(kData / "shift-all.expected.ass")));
  EXPECT_EQ(ReadBytes(folder / "Nosk_backup" / "a.ass.~1~"), lf);
  ASSERT_TRUE(
      RunBatch(host, files, settings, {{kSearchGo}, {}, "0:00:01.50", false}, RunMode::Write));
  EXPECT_EQ(ReadBytes(folder / "a.ass"), lf);

  settings = Replacing(Matching::FullMatch, Replacement::FullMatch);
  ASSERT_TRUE(
      RunBatch(host, files, settings, {{kSearchGo}, {kSearchGo, kSearchGo}}, RunMode::Write));
  EXPECT_EQ(ReadBytes(folder / "a.ass").find('\r'), std::string::npos);
}

// The last line of a script without a final line end has none to give: what replaces it takes
// the script's first line end, CR LF when the script has none at all.
TEST(BatchRuns, EndRebuiltLastLinesWithTheScriptsFirstLineEnd) {
  const std::string last = "Dialogue: 0,0:00:01.00,0:00:02.00,D,,0,0,0,,x";
  const std::string shifted = "Dialogue: 0,0:00:02.00,0:00:03.00,D,,0,0,0,,x";
  const struct {
    std::string before;
    std::string after;
  } cases[] = {
      {"[Events]\n" + last, "[Events]\n" + shifted + "\n"},
      {"[Events]\r\n" + last, "[Events]\r\n" + shifted + "\r\n"},
      {"[Events]\n" + last + "\r", "[Events]\n" + shifted + "\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.before);
    TempFolder folder;
    WriteBytes(folder / "a.ass", c.before);
    TestFileList files({folder / "a.ass"});
    RecordingHost host;
    BatchSettings settings = Shifting(Affect::AllFilesAllRows, Times::StartAndEnd);
    ASSERT_TRUE(RunBatch(host, files, settings, {{}, {}, "0:00:01.00", true}, RunMode::Write));
    EXPECT_EQ(files.Results(), std::vector<std::int32_t>{1});
    EXPECT_EQ(ReadBytes(folder / "a.ass"), c.after);
  }
}

TEST(BatchRuns, ChangeOnlyEventLinesOfEventsSections) {
  TempFolder folder;
  const std::string before =
      "[Events]\n"
      "Dialogue: 0,0:00:01.00,0:00:02.00,D,,0,0,0,,one\n"
      "[Fonts]\n"
      "Dialogue: 0,0:00:01.00,0:00:02.00,D,,0,0,0,,not an event here\n"
      "[Events]\n"
      "Comment: 0,0:00:03.00,0:00:04.00,D,,0,0,0,,two";
  WriteBytes(folder / "a.ass", before);
  TestFileList files({folder / "a.ass"});
  RecordingHost host;
  BatchSettings settings = Shifting(Affect::AllFilesAllRows, Times::StartAndEnd);
  ASSERT_TRUE(
      RunBatch(host, files, settings, {{kSearchGo}, {}, "0:01:00.00", true}, RunMode::Write));
  EXPECT_EQ(ReadBytes(folder / "a.ass"),
            "[Events]\n"
            "Dialogue: 0,0:01:01.00,0:01:02.00,D,,0,0,0,,one\n"
            "[Fonts]\n"
            "Dialogue: 0,0:00:01.00,0:00:02.00,D,,0,0,0,,not an event here\n"
            "[Events]\n"
            "Comment: 0,0:01:03.00,0:01:04.00,D,,0,0,0,,two\n");
}

TEST(BatchRuns, LeaveAScriptUntouchedWhenItsBackupCannotBeMade) {
  TempFolder folder;
  fs::create_directory(folder / "blocked");
  fs::copy_file(kData / "episode.ass", folder / "blocked" / "a.ass");
  WriteBytes(folder / "blocked" / "Nosk_backup", "a file in the way");
  fs::create_directory(folder / "fine");
  fs::copy_file(kData / "episode.ass", folder / "fine" / "b.ass");
  TestFileList files({folder / "blocked" / "a.ass", folder / "fine" / "b.ass"});
  RecordingHost host;
  BatchSettings settings = Shifting(Affect::AllFilesAllRows, Times::StartAndEnd);
  ASSERT_TRUE(
      RunBatch(host, files, settings, {{kSearchGo}, {}, "0:00:01.50", true}, RunMode::Write));
  EXPECT_EQ(files.Results(), (std::vector<std::int32_t>{-1, 1}));
  EXPECT_NE(files.entries[0].reason.find("backup could not be made"), std::string::npos)
      << files.entries[0].reason;
  EXPECT_EQ(ReadBytes(folder / "blocked" / "a.ass"), ReadBytes(kData / "episode.ass"));
  EXPECT_EQ(Names(folder / "blocked"), (std::vector<std::string>{"Nosk_backup", "a.ass"}));
  EXPECT_EQ(ReadBytes(folder / "fine" / "b.ass"), ReadBytes(kData / "shift-all.expected.ass"));
}

// Writing past the file size limit must fail that script (EFBIG), keep it and remove the
// temporary file. Each program ignores SIGXFSZ, which would otherwise end it, as this test does.
TEST(BatchRuns, LeaveAScriptUntouchedWhenItsNewContentCannotBeWritten) {
  TempFolder folder;
  std::string big = ReadBytes(kData / "episode.ass");
  while (big.size() < 300'000) big += "Dialogue: 0,0:00:01.00,0:00:02.00,D,,0,0,0,,filler line\r\n";
  WriteBytes(folder / "a.ass", big);
  TestFileList files({folder / "a.ass"});
  RecordingHost host;
  BatchSettings settings = Shifting(Affect::AllFilesAllRows, Times::StartAndEnd);

  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto savedHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 100'000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool ran = static_cast<bool>(
      RunBatch(host, files, settings, {{kSearchGo}, {}, "0:00:01.50", true}, RunMode::Write));
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, savedHandler);

  ASSERT_TRUE(ran);
  EXPECT_EQ(files.entries[0].result, -1);
  EXPECT_NE(files.entries[0].reason.find("File too large"), std::string::npos)
      << files.entries[0].reason;
  EXPECT_EQ(ReadBytes(folder / "a.ass"), big);
  EXPECT_EQ(Names(folder.path()), (std::vector<std::string>{"a.ass"}));
}

// Another program writes to the script while the run works on it: its newer content must stay.
TEST(BatchRuns, RefuseToReplaceAScriptThatChangedSinceItWasRead) {
  class EditingHost : public RecordingHost {
   public:
    explicit EditingHost(fs::path script) : script_(std::move(script)) {}
    void SetStatusText(const script::Message& text) override {
      RecordingHost::SetStatusText(text);
      if (text.id() == script::MessageId::WritingPhase) {
        WriteBytes(script_,
                   ReadBytes(script_) + "Comment: 0,0:00:00.00,0:00:00.00,D,,0,0,0,,new\r\n");
      }
    }

   private:
    fs::path script_;
  };
  TempFolder folder;
  fs::copy_file(kData / "episode.ass", folder / "a.ass");
  TestFileList files({folder / "a.ass"});
  EditingHost host(folder / "a.ass");
  BatchSettings settings = Shifting(Affect::AllFilesAllRows, Times::StartAndEnd);
  ASSERT_TRUE(
      RunBatch(host, files, settings, {{kSearchGo}, {}, "0:00:01.50", true}, RunMode::Write));
  EXPECT_EQ(files.entries[0].result, -1);
  EXPECT_NE(files.entries[0].reason.find("changed on disk while Nosk worked on it"),
            std::string::npos)
      << files.entries[0].reason;
  EXPECT_EQ(ReadBytes(folder / "a.ass"), ReadBytes(kData / "episode.ass") +
                                             "Comment: 0,0:00:00.00,0:00:00.00,D,,0,0,0,,new\r\n");
  EXPECT_EQ(Names(folder.path()), (std::vector<std::string>{"a.ass"}));
}

TEST(BatchRuns, SayWhenTheLinesEndInCrAlone) {
  TempFolder folder;
  WriteBytes(folder / "mac.ass", "[Events]\rDialogue: 0,0:00:01.00,0:00:02.00,D,,0,0,0,,x\r");
  TestFileList files({folder / "mac.ass"});
  RecordingHost host;
  BatchSettings settings = Replacing(Matching::FullMatch, Replacement::FullMatch);
  ASSERT_TRUE(RunBatch(host, files, settings, {{kSearchGo}, {}}, RunMode::Count));
  EXPECT_EQ(files.entries[0].result, -1);
  EXPECT_NE(files.entries[0].reason.find("CR alone"), std::string::npos);
}

TEST(BatchRuns, KeepPermissionsAndRewriteThroughSymbolicLinks) {
  TempFolder folder;
  fs::create_directory(folder / "real");
  fs::copy_file(kData / "episode.ass", folder / "real" / "a.ass");
  fs::permissions(folder / "real" / "a.ass", fs::perms::owner_read | fs::perms::owner_write |
                                                 fs::perms::group_read | fs::perms::others_read);
  fs::create_symlink(folder / "real" / "a.ass", folder / "link.ass");
  TestFileList files({folder / "link.ass"});
  RecordingHost host;
  BatchSettings settings = Shifting(Affect::AllFilesAllRows, Times::StartAndEnd);
  ASSERT_TRUE(
      RunBatch(host, files, settings, {{kSearchGo}, {}, "0:00:01.50", true}, RunMode::Write));
  EXPECT_EQ(files.entries[0].result, 1);
  EXPECT_TRUE(fs::is_symlink(folder / "link.ass"));
  EXPECT_EQ(ReadBytes(folder / "real" / "a.ass"), ReadBytes(kData / "shift-all.expected.ass"));
  // The file itself is rewritten, so its own folder keeps its backup.
  EXPECT_EQ(ReadBytes(folder / "real" / "Nosk_backup" / "a.ass.~1~"),
            ReadBytes(kData / "episode.ass"));
  EXPECT_FALSE(fs::exists(folder / "Nosk_backup"));
  EXPECT_EQ(fs::status(folder / "real" / "a.ass").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                fs::perms::others_read);
  EXPECT_EQ(Names(folder / "real"), (std::vector<std::string>{"Nosk_backup", "a.ass"}));
}

}  // namespace
}  // namespace nosk::engine
