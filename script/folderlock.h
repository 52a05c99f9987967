// One run per folder.
#pragma once

#include <chrono>
#include <functional>

#include "script/filedescriptor.h"
#include "script/folder.h"
#include "script/outcome.h"

namespace nosk::script {

// An exclusive advisory lock on a folder (flock on its own descriptor), held until the lock goes.
// Every Nosk run that rewrites in a folder takes it before it reads a script there, so that two
// runs never work on the same scripts at once.
class FolderLock {
 public:
  // Locks the folder. When another run holds it, calls `waiting` once and tries again until
  // `longest` has passed; then fails, saying so.
  static Outcome Take(const Folder& folder, std::chrono::milliseconds longest,
                      const std::function<void()>& waiting, FolderLock& lock);

  bool Held() const { return descriptor_.Valid(); }
  // The folder locked, as it was when locked.
  const FileIdentity& Locked() const { return locked_; }
  void Release() { descriptor_.Reset(); }

 private:
  FileDescriptor descriptor_;  // a descriptor of its own: the lock lasts as long as it does
  FileIdentity locked_;
};

}  // namespace nosk::script
