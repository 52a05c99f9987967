// The run journal's text: how a run's record is written, line by line as the run goes, and
// read back one line at a time, so that no journal's size decides how much memory reading takes.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/contenthash.h"
#include "engine/journalrecord.h"
#include "script/message.h"

namespace nosk::engine {

// A record's text stops being a run's past this many bytes: no run writes that much in one
// folder (a script costs about 250 bytes), and a longer one is damage or an attack.
inline constexpr std::size_t kLongestRecord = 4 * 1024 * 1024;
// Nor does any run rewrite more scripts in one folder than this (a season is a few dozen): a
// record that names more is refused before its entries take more memory than its text.
inline constexpr std::size_t kMostScriptsInRecord = 5'000;

// Whether `name` is one path component: not empty, not "." or "..", no "/" and no NUL.
bool IsPlainName(std::string_view name);

// The lines of a run's record. A run writes its Header before it replaces the first script in
// the folder, each script's Intent just before that script's exchange, its Outcome just after,
// and the End when it leaves the folder. The End's check covers every line before it.
std::string RecordHeader(const JournalRecord& record);
std::string RecordIntent(const JournalEntry& entry);
std::string RecordOutcome(const JournalEntry& entry);
std::string RecordEnd(const std::string& id, std::string_view recordText);

// A whole record, as a run that wrote every line of it left it.
std::string FormatRecord(const JournalRecord& record);

// Reads a journal's lines and says each record they hold. A record with an End whose check
// matches is whole; a record that the next "run" line or the journal's end cut off is
// interrupted (its run was killed, or is still at work), with the scripts it got to. A record
// whose End does not match, that names anything but a plain name, or that is longer than any
// run writes is not given, but told as a problem.
class JournalParser {
 public:
  using RecordSink = std::function<void(JournalRecord&&)>;
  using ProblemSink = std::function<void(script::Message&&)>;

  JournalParser(RecordSink records, ProblemSink problems)
      : records_(std::move(records)), problems_(std::move(problems)) {}

  // One line, without its line feed. `cut` says it was longer than a reader keeps: such a line
  // spoils the record it is in.
  void Line(std::string_view line, bool cut = false);
  // The journal ended: an open record is interrupted.
  void Finish();

 private:
  void Refuse(script::Message why);
  void CloseInterrupted();

  RecordSink records_;
  ProblemSink problems_;
  std::optional<JournalRecord> record_;
  ContentHasher hasher_;
  std::size_t recordBytes_ = 0;
  std::optional<script::Message> spoiled_;
  std::string summaryText_;
};

// The records of a journal's text, oldest first (whole and interrupted); `problems` gets the
// records refused.
std::vector<JournalRecord> ParseJournal(std::string_view text,
                                        std::vector<script::Message>* problems = nullptr);

// The runs of `records` (oldest first), each with every record of its id and user as one (a run
// that came back to a folder it had left wrote a record each time), in the order of their
// newest records.
std::vector<JournalRecord> RunsOf(const std::vector<JournalRecord>& records);

}  // namespace nosk::engine
