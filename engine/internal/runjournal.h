// The run journals of a folder, kept in its Nosk_backup: one per user, written only by that
// user, so that no record another user could have written is ever trusted.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/contenthash.h"
#include "engine/journalrecord.h"
#include "script/filedescriptor.h"
#include "script/folder.h"
#include "script/message.h"
#include "script/outcome.h"

namespace nosk::engine {

// The journal of `user` inside Nosk_backup: "journal-1000.txt".
std::string JournalNameOf(unsigned user);
// The one journal that every user of a folder wrote to before journals were per user; read,
// never written, and trusted only when no one but its owner could ever write it.
inline constexpr const char* kSharedJournalName = "journal.txt";

// A new run id: the time and random digits ("20261210-043512-7f3a9c0e").
std::string NewRunId();
// The time now, as a record gives it.
std::string TimeNow();

// Writes a run's record into the runner's journal in one backup folder, as the run goes: its
// header first, then each script's lines, then the end with the check of all of them. The
// journal is created by the runner alone (O_EXCL, never through a link), and one that is not
// a regular file of the runner's with one link and no write permission for others is refused.
// Each piece goes in one write; a write that fails half-way is cut off again.
class JournalWriter {
 public:
  JournalWriter() = default;
  JournalWriter(const JournalWriter&) = delete;
  JournalWriter& operator=(const JournalWriter&) = delete;

  // Opens the journal of `run.user` in `backups` and writes the header of `run`.
  script::Outcome Begin(const script::Folder& backups, const JournalRecord& run);
  bool Begun() const { return journal_.Valid(); }
  script::Outcome Append(std::string_view lines);
  // Lines that go with the next Append or the End, in its write: what is known after a
  // script's exchange costs no write of its own (a run stopped before that write is recorded
  // as far as the states before the exchange).
  void Defer(std::string_view lines);
  // Writes the end and closes the journal.
  script::Outcome End();
  // The journal, and the errno value of the last write that failed.
  const std::filesystem::path& Shown() const { return shown_; }
  int LastError() const { return lastError_; }

 private:
  script::Outcome Write(std::string_view text);
  script::Outcome Failed(int error) const;

  script::FileDescriptor journal_;
  std::filesystem::path shown_;
  std::string id_;
  std::string recordText_;  // what the record holds so far, which the end checks
  std::string deferred_;    // lines waiting for the next write
  off_t size_ = 0;          // the journal's size, as this run's writes made it
  mutable int lastError_ = 0;
};

// The runs `user` could have recorded in `backups` (their own journal, and the shared journal
// of old when only they could write it), oldest first; only the records of the newest 64
// runs (and no more than 2 MB of them). None when there is no journal.
script::Outcome ReadOwnRuns(const script::Folder& backups, unsigned user, JournalReading& reading);
// The runs of every user's journal in `backups`, each record saying whose it is, the newest
// kept up to about `keptBytes` of records; `problems` says which journals or records were
// refused and why.
script::Outcome ReadEveryRun(const script::Folder& backups, std::size_t keptBytes,
                             JournalReading& reading);

}  // namespace nosk::engine
