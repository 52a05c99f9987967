#include "engine/internal/runjournal.h"

#include <gtest/gtest.h>

#include "tests/common/tempfolder.h"

namespace nosk::engine {
namespace {

JournalRecord Record(const std::string& id, const std::string& script) {
  JournalRecord record;
  record.id = id;
  record.time = "2026-12-10 04:35:12 UTC";
  record.summary =
      script::Message::Verbatim("Shift Times +0:00:01.50: every script, start and end times");
  record.details = {"search block (1 lines):", "  Dialogue: 0,0:00:01.00,...,{\\k30}x",
                    "a line\nwith a line feed", "\"quoted\""};
  record.scripts = {{script,
                     script + ".~2~",
                     {2049, 1234567, 100000, 1765342512123456789, 1765342512223456789},
                     {2049, 1234568, 100010, 1765342512323456789, 1765342512423456789}}};
  return record;
}

// Only whole records count: one cut short by a killed run, or changed since, is skipped, and
// whatever follows it still reads.
TEST(RunJournals, ReadOnlyTheWholeRecords) {
  const JournalRecord first = Record("20261210-043512-00000001", "a.ass");
  const JournalRecord second = Record("20261210-043600-00000002", "b\nc.ass");
  const std::string one = FormatRecord(first);
  const std::string two = FormatRecord(second);
  EXPECT_EQ(ParseJournal(one + two), (std::vector<JournalRecord>{first, second}));
  EXPECT_EQ(ParseJournal(one + two.substr(0, two.size() - 10)), std::vector<JournalRecord>{first});
  std::string tampered = one;
  tampered.replace(tampered.find("a.ass"), 5, "z.ass");
  EXPECT_EQ(ParseJournal(tampered + two), std::vector<JournalRecord>{second});
  EXPECT_EQ(ParseJournal(one.substr(0, one.size() / 2) + "\n" + two),
            std::vector<JournalRecord>{second});
}

TEST(RunJournals, AppendWholeRecordsAfterWhateverACutWriteLeft) {
  testsupport::TempFolder folder;
  script::Folder backups;
  ASSERT_TRUE(script::Folder::Open(folder.path(), backups).ok());
  const JournalRecord first = Record("20261210-043512-00000001", "a.ass");
  const JournalRecord second = Record("20261210-043600-00000002", "b.ass");
  ASSERT_TRUE(AppendRecord(backups, first).ok());
  // A run killed in the middle of its record.
  testsupport::WriteBytes(folder / kJournalName,
                          testsupport::ReadBytes(folder / kJournalName) + "run 2026-half\n  time");
  ASSERT_TRUE(AppendRecord(backups, second).ok());
  std::vector<JournalRecord> records;
  ASSERT_TRUE(ReadJournal(backups, records).ok());
  EXPECT_EQ(records, (std::vector<JournalRecord>{first, second}));
  // The text is for people too: names and summaries stand as they are.
  const std::string text = testsupport::ReadBytes(folder / kJournalName);
  EXPECT_NE(text.find("  summary Shift Times +0:00:01.50"), std::string::npos);
  EXPECT_NE(
      text.find("  script a.ass\n    backup a.ass.~2~\n"
                "    before file 2049:1234567 100000 1765342512123456789 1765342512223456789\n"),
      std::string::npos);
}

}  // namespace
}  // namespace nosk::engine
