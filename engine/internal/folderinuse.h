// The folder a rewriting run is working in.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/host.h"
#include "engine/internal/runjournal.h"
#include "script/backupfolder.h"
#include "script/folder.h"
#include "script/folderlock.h"
#include "script/outcome.h"

namespace nosk::engine {

// Locked from before the run reads the first script there until the run moves on to another
// folder or ends, so that no other Nosk run works on the same scripts meanwhile; its backup
// folder is opened (made if need be: the lock is in it) when the run enters the folder, and
// removed again when the run made it and put nothing in it. The run's record there is written as
// the run goes: each script is in the journal before it is replaced, and the record ends when the
// run leaves the folder.
class FolderInUse {
 public:
  // Gives the record of a folder entered what the run says of itself there.
  using Describe = std::function<void(const script::Folder& folder, JournalRecord& record)>;

  // `run` is the run's record without scripts: each folder gets it with its own, described
  // there by `describe` when given.
  explicit FolderInUse(JournalRecord run = {}, Describe describe = {})
      : run_(std::move(run)), describe_(std::move(describe)) {}
  ~FolderInUse() { Leave(); }
  FolderInUse(const FolderInUse&) = delete;
  FolderInUse& operator=(const FolderInUse&) = delete;

  // Makes `folder` the one in use: nothing when it is already; otherwise the previous folder is
  // left and this one's lock is taken, waiting for another run as long as `longest` allows (the
  // host is told that it waits). The temporary files that dead runs left there are removed.
  // The backup folder is opened, or made, first: the lock is in it. `script` is the script the
  // run is about to read there, for the reason when no backup folder can be made.
  script::Outcome Enter(const script::Folder& folder, const std::filesystem::path& script,
                        Host& host, std::chrono::milliseconds longest);
  // The backup folder of the folder in use (`folder`, the one entered), opened (and, when
  // `create`, made if there is none) the first time.
  script::Outcome Backups(const script::Folder& folder, script::BackupFolder*& backups,
                          bool create = true);
  // Records that the script of `entry` is about to be replaced (its name, its backup's, and the
  // two files as they are before the exchange): the script may be replaced only when this
  // succeeded.
  script::Outcome Intend(const JournalEntry& entry);
  // Records the two files of a script just replaced as the exchange left them.
  void Record(const JournalEntry& entry);
  // Ends the folder's journal record, if a script was rewritten there, and lets it go.
  void Leave();
  // Why journal records could not be written to their end, a sentence each.
  const std::vector<script::Message>& JournalFailures() const { return journalFailures_; }

 private:
  script::FolderLock lock_;
  script::Folder folder_;  // the folder in use
  std::optional<script::BackupFolder> backups_;
  JournalRecord run_;
  Describe describe_;
  JournalWriter journal_;
  std::vector<script::Message> journalFailures_;
};

}  // namespace nosk::engine
