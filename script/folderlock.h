// One run per folder.
#pragma once

#include <chrono>
#include <functional>

#include "script/filedescriptor.h"
#include "script/folder.h"
#include "script/outcome.h"

namespace nosk::script {

// The lock file's name in Nosk_backup.
inline constexpr const char* kLockName = "lock";

// An exclusive advisory lock on a folder, held until the lock goes. Every Nosk run that rewrites
// in a folder takes it before it reads a script there, so that two runs never work on the same
// scripts at once. flock works on any descriptor, read-only ones included, so the lock is on a
// file that only those who may write the folder can open at all: "lock" in its Nosk_backup,
// readable and writable by exactly the folder's writers (0600 in a private folder, 0660 in a
// team folder, 0666 where everyone may write). A reader cannot keep the owner's runs waiting.
class FolderLock {
 public:
  // Locks `folder`, whose backup folder is `backups`. When another run holds it, calls
  // `waiting` once and tries again until `longest` has passed; then fails, saying so. When the
  // lock file or the backup folder was removed or replaced while it waited (the run that held
  // it removed a backup folder it had made for nothing), `moved` is set and the lock is not
  // held: open the backup folder again and retry.
  static Outcome Take(const Folder& folder, const Folder& backups,
                      std::chrono::milliseconds longest, const std::function<void()>& waiting,
                      FolderLock& lock, bool& moved);

  bool Held() const { return descriptor_.Valid(); }
  // The folder locked, as it was when locked.
  const FileIdentity& Locked() const { return locked_; }
  void Release() { descriptor_.Reset(); }

 private:
  FileDescriptor descriptor_;  // a descriptor of its own: the lock lasts as long as it does
  FileIdentity locked_;
};

}  // namespace nosk::script
