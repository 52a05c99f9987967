#include "engine/internal/runjournal.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/internal/journaltext.h"
#include "tests/common/tempfolder.h"

namespace nosk::engine {
namespace {

using testsupport::ReadBytes;
using testsupport::WriteBytes;

JournalRecord Record(const std::string& id, const std::string& script) {
  JournalRecord record;
  record.id = id;
  record.time = "2026-12-10 04:35:12 UTC";
  record.summary =
      script::Message::Verbatim("Shift Times +0:00:01.50: every script, start and end times");
  record.details = {"search block (1 lines):", "  Dialogue: 0,0:00:01.00,...,{\\k30}x",
                    "a line\nwith a line feed", "\"quoted\""};
  JournalEntry entry;
  entry.script = script;
  entry.backup = script + ".~2~";
  entry.before = {2049, 1234567, 100000, 1765342512123456789, 1765342512223456789};
  entry.after = {2049, 1234568, 100010, 1765342512323456789, 1765342512423456789};
  entry.replacing = {2049, 1234568, 100010, 1765342512323456789, 1765342512323456789};
  entry.keeping = {2049, 1234567, 100000, 1765342512123456789, 1765342512123456789};
  record.scripts = {entry};
  return record;
}

std::vector<std::string> Reasons(const std::vector<script::Message>& problems) {
  std::vector<std::string> reasons;
  for (const script::Message& problem : problems) reasons.push_back(script::English(problem));
  return reasons;
}

// A whole record reads back as written; one changed since, one that names a path, or one
// without end is never taken for a whole one, and whatever follows it still reads.
TEST(RunJournals, ReadWholeRecordsAndSayWhyOthersAreNot) {
  const JournalRecord first = Record("20261210-043512-00000001", "a.ass");
  const JournalRecord second = Record("20261210-043600-00000002", "b\nc.ass");
  const std::string one = FormatRecord(first);
  const std::string two = FormatRecord(second);
  std::string tampered = one;
  tampered.replace(tampered.find("a.ass"), 5, "z.ass");
  JournalRecord interrupted = second;
  interrupted.interrupted = true;
  struct Case {
    const char* name;
    std::string text;
    std::vector<JournalRecord> records;
    std::size_t problems;
  };
  const Case cases[] = {
      {"two whole records", one + two, {first, second}, 0},
      {"the last one cut short by a kill",
       one + two.substr(0, two.size() - 10),
       {first, interrupted},
       0},
      {"the first one changed since", tampered + two, {second}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<script::Message> problems;
    EXPECT_EQ(ParseJournal(c.text, &problems), c.records);
    EXPECT_EQ(problems.size(), c.problems) << ::testing::PrintToString(Reasons(problems));
  }
  for (const std::string name : {"../x.ass", "/etc/passwd", ".", "..", ""}) {
    SCOPED_TRACE(name);
    for (const char* field : {"  script ", "    backup "}) {
      std::string forged = one;
      const std::size_t at = forged.find(field) + std::string_view(field).size();
      forged.replace(at, forged.find('\n', at) - at, script::QuotedText(name));
      forged.erase(forged.find("\nend ") + 1);
      forged += RecordEnd(first.id, forged);
      std::vector<script::Message> problems;
      EXPECT_EQ(ParseJournal(forged + two, &problems), std::vector<JournalRecord>{second});
      ASSERT_EQ(problems.size(), 1u);
      EXPECT_EQ(problems[0].id(), script::MessageId::RecordRefused);
    }
  }
}

// A run killed between a script's intent and its outcome leaves a record that says which
// scripts it got to, and how far.
TEST(RunJournals, ARecordWrittenAsTheRunGoesSaysHowFarItWent) {
  JournalRecord run = Record("20261210-043512-00000001", "a.ass");
  const JournalEntry entry = run.scripts[0];
  const std::string header = RecordHeader(run);
  const std::string intent = RecordIntent(entry);
  const std::string outcome = RecordOutcome(entry);
  std::vector<JournalRecord> records = ParseJournal(header + intent);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_TRUE(records[0].interrupted);
  ASSERT_EQ(records[0].scripts.size(), 1u);
  EXPECT_FALSE(records[0].scripts[0].done);
  EXPECT_TRUE(records[0].scripts[0].replacing.SameState(entry.replacing));
  // Cut inside the intent: nothing of that script can be checked, so it is not there.
  records = ParseJournal(header + intent + outcome + intent.substr(0, intent.size() - 20));
  ASSERT_EQ(records.size(), 1u);
  ASSERT_EQ(records[0].scripts.size(), 1u);
  EXPECT_TRUE(records[0].scripts[0].done);
}

// A run that comes back to a folder wrote two records there with one id: they are one run, as
// new as its newest record.
TEST(RunJournals, RecordsOfOneIdAreOneRun) {
  const JournalRecord a = Record("20261210-043512-00000001", "a.ass");
  const JournalRecord b = Record("20261210-043512-00000001", "b.ass");
  const JournalRecord older = Record("20261209-000000-00000000", "c.ass");
  const std::vector<JournalRecord> runs = RunsOf({a, older, b});
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].id, older.id);
  ASSERT_EQ(runs[1].scripts.size(), 2u);
  EXPECT_EQ(runs[1].scripts[0].script, "a.ass");
  EXPECT_EQ(runs[1].scripts[1].script, "b.ass");
  EXPECT_TRUE(RunsOf({}).empty());
}

// Each user writes a journal of their own, readable as the backups are and writable by them
// alone, after whatever a write cut short left.
TEST(RunJournals, AreWrittenByTheirUserAlone) {
  testsupport::TempFolder folder;
  ASSERT_EQ(::chmod(folder.path().c_str(), 0755), 0);
  script::Folder backups;
  ASSERT_TRUE(script::Folder::Open(folder.path(), backups).ok());
  JournalRecord first = Record("20261210-043512-00000001", "a.ass");
  JournalRecord second = Record("20261210-043600-00000002", "b.ass");
  first.user = second.user = ::geteuid();  // the runner's journal
  const std::string name = JournalNameOf(::geteuid());
  {
    JournalWriter writer;
    ASSERT_TRUE(writer.Begin(backups, first).ok());
    ASSERT_TRUE(
        writer.Append(RecordIntent(first.scripts[0]) + RecordOutcome(first.scripts[0])).ok());
    ASSERT_TRUE(writer.End().ok());
  }
  WriteBytes(folder / name, ReadBytes(folder / name) + "run 2026-half\n  time");
  {
    JournalWriter writer;
    ASSERT_TRUE(writer.Begin(backups, second).ok());
    ASSERT_TRUE(
        writer.Append(RecordIntent(second.scripts[0]) + RecordOutcome(second.scripts[0])).ok());
    ASSERT_TRUE(writer.End().ok());
  }
  struct stat status {};
  ASSERT_EQ(::stat((folder / name).c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0644u);
  JournalReading reading;
  ASSERT_TRUE(ReadEveryRun(backups, 1 << 20, reading).ok());
  // The half record replaced nothing: it is not a run to tell of.
  ASSERT_EQ(reading.records.size(), 2u) << ReadBytes(folder / name);
  EXPECT_EQ(reading.records[0].id, first.id);
  EXPECT_EQ(reading.records[1].id, second.id);
  EXPECT_EQ(reading.records[1].user, ::geteuid());
  ASSERT_TRUE(ReadOwnRuns(backups, ::geteuid(), reading).ok());
  ASSERT_EQ(reading.records.size(), 2u);
  EXPECT_EQ(reading.records[1], second);
  // The text is for people too: names and summaries stand as they are.
  const std::string text = ReadBytes(folder / name);
  EXPECT_NE(text.find("  summary Shift Times +0:00:01.50"), std::string::npos);
  EXPECT_NE(text.find("  script a.ass\n    backup a.ass.~2~\n"), std::string::npos);

  // One that others may write, or that has a second name, is not trusted.
  ASSERT_EQ(::chmod((folder / name).c_str(), 0664), 0);
  ASSERT_TRUE(ReadOwnRuns(backups, ::geteuid(), reading).ok());
  EXPECT_TRUE(reading.records.empty());
  ASSERT_EQ(reading.problems.size(), 1u);
  EXPECT_EQ(reading.problems[0].id(), script::MessageId::JournalNotSafe);
  JournalWriter writer;
  EXPECT_FALSE(writer.Begin(backups, second).ok());
}

// However large a journal grows, reading it keeps only what its last records take.
TEST(RunJournals, ReadAJournalOfAnySizeInBoundedMemory) {
  testsupport::TempFolder folder;
  script::Folder backups;
  ASSERT_TRUE(script::Folder::Open(folder.path(), backups).ok());
  std::string text;
  for (int i = 0; i < 2000; ++i) {
    text += FormatRecord(Record("20261210-0435" + std::to_string(10000 + i) + "-1", "a.ass"));
  }
  // An endless line, and a record naming more scripts than any run rewrites in a folder:
  // refused, and what follows still reads.
  text += "run 20261211-000000-endless\n" + std::string(2 * 1024 * 1024, 'x') + "\n";
  text += "run 20261211-000000-many\n";
  for (std::size_t i = 0; i <= kMostScriptsInRecord; ++i) {
    text += "  script x" + std::to_string(i) + ".ass\n";
  }
  text += FormatRecord(Record("20261211-000001-00000001", "z.ass"));
  WriteBytes(folder / JournalNameOf(::geteuid()), text);
  ASSERT_EQ(::chmod((folder / JournalNameOf(::geteuid())).c_str(), 0600), 0);
  JournalReading reading;
  ASSERT_TRUE(ReadEveryRun(backups, 64 * 1024, reading).ok());
  EXPECT_GT(reading.leftOut, 1000u);
  EXPECT_LT(reading.records.size(), 1000u);
  EXPECT_EQ(reading.records.back().id, "20261211-000001-00000001");
  ASSERT_EQ(reading.problems.size(), 2u) << ::testing::PrintToString(Reasons(reading.problems));
  for (const script::Message& problem : reading.problems) {
    EXPECT_NE(script::English(problem).find("longer than any run writes"), std::string::npos);
  }
  // Undo keeps the newest few runs only.
  ASSERT_TRUE(ReadOwnRuns(backups, ::geteuid(), reading).ok());
  ASSERT_EQ(reading.records.size(), 64u);
  EXPECT_GT(reading.leftOut, 1900u);
  EXPECT_EQ(reading.records.back().scripts[0].script, "z.ass");
}

}  // namespace
}  // namespace nosk::engine
