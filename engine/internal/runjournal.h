// The run journal: what each rewriting run did in a folder, kept in its Nosk_backup.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/contenthash.h"
#include "engine/journalrecord.h"
#include "script/fileidentity.h"
#include "script/folder.h"
#include "script/outcome.h"

namespace nosk::engine {

// The journal's name inside Nosk_backup.
inline constexpr const char* kJournalName = "journal.txt";

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
