// The folder a rewriting run is working in.
#pragma once

#include <chrono>
#include <optional>

#include "script/backupfolder.h"
#include "script/folder.h"
#include "script/folderlock.h"
#include "script/host.h"
#include "script/outcome.h"

namespace nosk::engine {

// Locked from before the run reads the first script there until the run moves on to another
// folder or ends, so that no other Nosk run works on the same scripts meanwhile; its backup
// folder is opened when the first backup is made there.
class FolderInUse {
 public:
  // Makes `folder` the one in use: nothing when it is already; otherwise the previous folder's
  // lock goes and this one's is taken, waiting for another run as long as `longest` allows (the
  // host is told that it waits). The temporary files that dead runs left there are removed.
  script::Outcome Enter(const script::Folder& folder, script::Host& host,
                        std::chrono::milliseconds longest);
  // The backup folder of the folder in use (`folder`, the one entered), opened the first time.
  script::Outcome Backups(const script::Folder& folder, script::BackupFolder*& backups);
  // Lets the folder go.
  void Leave();

 private:
  script::FolderLock lock_;
  std::optional<script::BackupFolder> backups_;
};

}  // namespace nosk::engine
