#include "engine/internal/folderinuse.h"

#include <fcntl.h>
#include <unistd.h>

#include "engine/internal/journaltext.h"
#include "script/temporaryfile.h"

namespace nosk::engine {

script::Outcome FolderInUse::Enter(const script::Folder& folder,
                                   const std::filesystem::path& script, Host& host,
                                   std::chrono::milliseconds longest) {
  if (lock_.Held() && lock_.Locked().SameFile(folder.Identity())) return script::Outcome::Success();
  Leave();
  const auto waiting = [&] {
    host.ShowNotice(script::Message(script::MessageId::WaitingForOtherRun, {folder.Path()}));
  };
  // The run that held the lock may have removed the backup folder it made for nothing, with the
  // lock file in it: then the folder's new lock is taken.
  for (int attempt = 0;; ++attempt) {
    script::BackupFolder* backups = nullptr;
    if (script::Outcome opened = Backups(folder, backups); !opened) {
      return script::Outcome::Failure(
          script::Message(script::MessageId::BackupNotMade, {script}).Because(opened.message()));
    }
    bool moved = false;
    if (script::Outcome locked =
            script::FolderLock::Take(folder, backups->Get(), longest, waiting, lock_, moved);
        !locked) {
      backups_.reset();
      return locked;
    }
    if (!moved) break;
    backups_.reset();
    if (attempt == 10) {
      return script::Outcome::Failure(
          script::Message(script::MessageId::OtherRunKeptWorking, {folder.Path()}));
    }
  }
  folder_ = folder;
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

script::Outcome FolderInUse::Intend(const JournalEntry& entry) {
  if (!backups_) return script::Outcome::Failure(script::Message(script::MessageId::NoFileOpen));
  if (!journal_.Begun()) {
    if (script::Outcome begun = journal_.Begin(backups_->Get(), run_); !begun) return begun;
  }
  return journal_.Append(RecordIntent(entry));
}

void FolderInUse::Record(const JournalEntry& entry) {
  // Written with the next script's entry, or the record's end.
  journal_.Defer(RecordOutcome(entry));
}

void FolderInUse::Leave() {
  // A backup folder this run made and put nothing in goes again, lock file and all, while the
  // lock is still held: a run that waited for it finds its lock file gone and takes the new one.
  if (backups_ && backups_->Made() && !journal_.Begun() && lock_.Held()) {
    ::unlinkat(backups_->Get().Descriptor(), script::kLockName, 0);
    ::unlinkat(folder_.Descriptor(), script::kBackupFolderName, AT_REMOVEDIR);
  }
  // Written while the folder is still locked: no other run's record comes between.
  if (script::Outcome ended = journal_.End(); !ended) {
    journalFailures_.push_back(
        script::Message(script::MessageId::JournalNotWritten, {journal_.Shown()})
            .Because(script::Message::System(journal_.LastError())));
  }
  backups_.reset();
  lock_.Release();
}

}  // namespace nosk::engine
