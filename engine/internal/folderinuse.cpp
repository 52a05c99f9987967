#include "engine/internal/folderinuse.h"

#include "script/temporaryfile.h"

namespace nosk::engine {

script::Outcome FolderInUse::Enter(const script::Folder& folder, Host& host,
                                   std::chrono::milliseconds longest) {
  if (lock_.Held() && lock_.Locked().SameFile(folder.Identity())) return script::Outcome::Success();
  Leave();
  const auto waiting = [&] {
    host.ShowNotice(script::Message(script::MessageId::WaitingForOtherRun, {folder.Path()}));
  };
  if (script::Outcome locked = script::FolderLock::Take(folder, longest, waiting, lock_); !locked) {
    return locked;
  }
  script::RemoveStaleTemporaryFiles(folder);
  if (describe_) describe_(folder, run_);
  return script::Outcome::Success();
}

script::Outcome FolderInUse::Backups(const script::Folder& folder, script::BackupFolder*& backups,
                                     bool create) {
  if (!backups_) {
    script::BackupFolder opened;
    if (script::Outcome open = script::BackupFolder::Open(folder, opened, create); !open) {
      return open;
    }
    backups_.emplace(std::move(opened));
  }
  backups = &*backups_;
  return script::Outcome::Success();
}

void FolderInUse::Leave() {
  // Written while the folder is still locked: the record follows the scripts it lists.
  if (!run_.scripts.empty() && backups_) {
    if (script::Outcome appended = AppendRecord(backups_->Get(), run_); !appended) {
      journalFailures_.push_back(appended.message());
    }
  }
  run_.scripts.clear();
  backups_.reset();
  lock_.Release();
}

}  // namespace nosk::engine
