// The run journal: what each rewriting run did in a folder, kept in its Nosk_backup.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/contenthash.h"
#include "script/fileidentity.h"
#include "script/folder.h"
#include "script/outcome.h"

namespace nosk::engine {

// The journal's name inside Nosk_backup.
inline constexpr const char* kJournalName = "journal.txt";

// Which file, in which version: nothing can be written to it, no name put over it, without
// its change time or inode changing, and no user can set a change time back.
struct FileState {
  unsigned long long device = 0;
  unsigned long long inode = 0;
  long long size = -1;
  long long modifiedNanoseconds = 0;
  long long changedNanoseconds = 0;

  static FileState Of(const script::FileIdentity& identity);
  // "file DEVICE:INODE SIZE MODIFIED CHANGED" (times in nanoseconds), as the journal writes it.
  std::string Text() const;
  // Reads what Text wrote; a state that matches no file for anything else.
  static FileState FromText(std::string_view text);
  bool operator==(const FileState&) const = default;
};

// One script a run rewrote.
struct JournalEntry {
  std::string script;  // its name in the folder
  std::string backup;  // its backup's name in Nosk_backup
  FileState before;    // the backup, as the run left it
  FileState after;     // the script, as the run left it
  bool operator==(const JournalEntry&) const = default;
};

// One run in one folder.
struct JournalRecord {
  std::string id;                    // the run's: the same in every folder it wrote in
  std::string time;                  // "2026-12-10 04:35:12 UTC"
  std::string summary;               // what it did, in one line
  std::vector<std::string> details;  // the modes and the blocks, a line each
  std::string undoes;                // for an undo: the id of the run it took back
  std::vector<JournalEntry> scripts;
  bool operator==(const JournalRecord&) const = default;
};

// A new run id: the time and random digits ("20261210-043512-7f3a9c0e").
std::string NewRunId();
// The time now, as a record gives it.
std::string TimeNow();

// The record as the journal holds it: plain text a person reads, names quoted as PathText
// quotes them, closed by an "end" line that repeats the id and gives the check of everything
// above it.
std::string FormatRecord(const JournalRecord& record);
// The whole records of a journal's text, oldest first. A record cut short (a run killed while it
// wrote) or changed since has no matching end line and is skipped; so is anything else.
std::vector<JournalRecord> ParseJournal(std::string_view text);

// Appends the record to the journal in the backup folder `backups`, in one write: a write that
// fails half-way is cut off again, so the journal holds whole records only, and never loses one
// that came before.
script::Outcome AppendRecord(const script::Folder& backups, const JournalRecord& record);
// The whole records of the journal in `backups`; none when there is no journal.
script::Outcome ReadJournal(const script::Folder& backups, std::vector<JournalRecord>& records);

}  // namespace nosk::engine
