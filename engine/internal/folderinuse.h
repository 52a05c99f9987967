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
// folder is opened when the first backup is made there. When the run leaves it, the scripts
// rewritten there are recorded in the run journal of its backup folder.
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
  script::Outcome Enter(const script::Folder& folder, Host& host,
                        std::chrono::milliseconds longest);
  // The backup folder of the folder in use (`folder`, the one entered), opened (and, when
  // `create`, made if there is none) the first time.
  script::Outcome Backups(const script::Folder& folder, script::BackupFolder*& backups,
                          bool create = true);
  // Notes a script rewritten in the folder in use, for its journal record.
  void Record(JournalEntry entry) { run_.scripts.push_back(std::move(entry)); }
  // Writes the folder's journal record, if a script was rewritten there, and lets it go.
  void Leave();
  // Why journal records could not be written, a sentence each.
  const std::vector<script::Message>& JournalFailures() const { return journalFailures_; }

 private:
  script::FolderLock lock_;
  std::optional<script::BackupFolder> backups_;
  JournalRecord run_;
  Describe describe_;
  std::vector<script::Message> journalFailures_;
};

}  // namespace nosk::engine
