#include "engine/internal/scriptreplacement.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

#include "script/filemetadata.h"

namespace nosk::engine {
namespace {

using script::Message;
using script::MessageId;
using script::Outcome;

// 0, or the errno value of an exchange of two names in one folder.
int ExchangeNames(int folder, const std::string& a, const std::string& b) {
#ifdef SYS_renameat2
  return ::syscall(SYS_renameat2, folder, a.c_str(), folder, b.c_str(), RENAME_EXCHANGE) == 0
             ? 0
             : errno;
#else
  return ENOSYS;
#endif
}

bool ExchangeUnsupported(int error) {
  return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

}  // namespace

ScriptReplacement::ScriptReplacement(const script::ScriptLocation& location,
                                     const script::FileDescriptor& file,
                                     const script::FileIdentity& loaded, FolderInUse& folder)
    : location_(location), file_(file), loaded_(loaded), folder_(folder) {}

Outcome ScriptReplacement::Refused(MessageId why) const {
  return Outcome::Failure(Message(why, {location_.listed}));
}

std::filesystem::path ScriptReplacement::BackupPath() const {
  if (backups_ == nullptr || backupName_.empty()) return {};
  return backups_->Get().PathOf(backupName_);
}

Outcome ScriptReplacement::Begin() {
  if (Outcome allowed = script::CheckWritePermission(file_.Get(), loaded_.mode); !allowed) {
    return Outcome::Failure(allowed.message());
  }
  if (Outcome created = temporary_.Create(location_.folder); !created) {
    return Outcome::Failure(Message(MessageId::CantCreateForNewContent, {location_.folder.Path()})
                                .Because(created.message()));
  }
  return Outcome::Success();
}

Outcome ScriptReplacement::StillAsRead(struct stat& status) const {
  const auto cantLook = [&](int error) {
    return Outcome::Failure(
        Message(MessageId::CantBeLookedAt, {location_.listed}).Because(Message::System(error)));
  };
  if (::fstat(file_.Get(), &status) != 0) return cantLook(errno);
  const script::FileIdentity now = script::FileIdentity::Of(status);
  if (now.links == 0) return Refused(MessageId::DeletedWhileWorking);
  if (!now.SameVersion(loaded_)) return Refused(MessageId::ChangedWhileWorking);
  struct stat named {};
  if (const int error = location_.folder.StatEntry(location_.name, named); error != 0) {
    if (error == ENOENT) return Refused(MessageId::DeletedWhileWorking);
    return cantLook(error);
  }
  if (!script::FileIdentity::Of(named).SameFile(loaded_)) {
    return Refused(MessageId::ChangedWhileWorking);
  }
  return Outcome::Success();
}

Outcome ScriptReplacement::Commit(WrittenFileSystems& written, Message& note, bool& serious) {
  note = {};
  serious = false;
  const std::filesystem::path& shown = location_.listed;
  const auto cantWrite = [&](const Outcome& failed) {
    return Outcome::Failure(
        Message(MessageId::CantWriteNewContent, {shown}).Because(failed.message()));
  };
  if (Outcome flushed = temporary_.Flush(); !flushed) return cantWrite(flushed);
  struct stat newFile {};
  if (::fstat(temporary_.Descriptor(), &newFile) != 0) {
    return Outcome::Failure(
        Message(MessageId::CantBeLookedAt, {shown}).Because(Message::System(errno)));
  }
  const script::FileIdentity asWritten = script::FileIdentity::Of(newFile);
  // The owner and mode the script was read with; that they are still its own is checked next.
  struct stat read {};
  read.st_uid = loaded_.owner;
  read.st_gid = loaded_.group;
  read.st_mode = loaded_.mode;
  if (Outcome carried =
          script::CarryOverMetadata(file_.Get(), read, temporary_.Descriptor(), newFile);
      !carried) {
    return Outcome::Failure(
        Message(MessageId::NotChangedBecause, {shown}).Because(carried.message()));
  }
  if (Outcome closed = temporary_.Close(); !closed) return cantWrite(closed);
  // The version read, with the owner and mode just carried over, is still the one named.
  struct stat status {};
  if (Outcome same = StillAsRead(status); !same) return same;

  const auto backupFailure = [&](const Outcome& failed) {
    return Outcome::Failure(Message(MessageId::BackupNotMade, {shown}).Because(failed.message()));
  };
  if (Outcome opened = folder_.Backups(location_.folder, backups_); !opened) {
    return backupFailure(opened);
  }
  // A script with other hard links keeps them on the previous content, so the backup must not be
  // that same inode: a later edit through another name would change it.
  const bool otherLinks = loaded_.links > 1;
  // The journal holds the script before anything of it changes (the backup's link changes the
  // script's change time), so that a run killed at any moment is recorded as far as it went,
  // and the run before it can still be taken back where this one did nothing.
  const std::string expected = backups_->NextName(location_.name);
  if (Outcome intended = RecordIntent(asWritten, expected, script::FileIdentity::Of(status));
      !intended) {
    return Outcome::Failure(
        Message(MessageId::NotChangedBecause, {shown}).Because(intended.message()));
  }
  bool copied = false;
  if (Outcome kept =
          backups_->Keep(file_.Get(), status, location_.name, otherLinks, backupName_, copied);
      !kept) {
    return backupFailure(kept);
  }
  // A copy, or another name than foreseen: the journal is told which backup it is.
  if (copied || backupName_ != expected) {
    struct stat copy {};
    const int error = backups_->Get().StatEntry(backupName_, copy);
    Outcome intended = error != 0
                           ? Outcome::Failure(Message(MessageId::CantBeLookedAt, {BackupPath()})
                                                  .Because(Message::System(error)))
                           : RecordIntent(asWritten, backupName_, script::FileIdentity::Of(copy));
    if (!intended) {
      backups_->Discard(location_.name, backupName_);
      backupName_.clear();
      return Outcome::Failure(
          Message(MessageId::NotChangedBecause, {shown}).Because(intended.message()));
    }
  }
  struct stat afterBackup {};
  if (::fstat(file_.Get(), &afterBackup) != 0 ||
      !script::FileIdentity::Of(afterBackup).SameContent(loaded_)) {
    backups_->Discard(location_.name, backupName_);
    backupName_.clear();
    return Refused(MessageId::ChangedWhileWorking);
  }
  Message leftover;
  // The new file as it is from now on (renaming it changes its change time); as written, should
  // the name not tell.
  written_ = asWritten;
  if (Outcome placed = PutInPlace(asWritten, leftover, written_); !placed) {
    backups_->Discard(location_.name, backupName_);
    backupName_.clear();
    return placed;
  }
  written.Record(location_.folder);
  written.Record(backups_->Get());

  if (otherLinks) note = Message(MessageId::OtherHardLinks);
  // Written to between the last check and the rename: that write went to the previous file, so
  // the backup holds it (a copy is taken again).
  struct stat afterwards {};
  const bool lookedAt = ::fstat(file_.Get(), &afterwards) == 0;
  if (lookedAt &&
      !script::FileIdentity::Of(afterwards).SameContent(script::FileIdentity::Of(afterBackup))) {
    serious = true;
    const std::filesystem::path backup = BackupPath();
    Outcome kept =
        copied ? backups_->CopyAgain(file_.Get(), afterwards, backupName_) : Outcome::Success();
    note = kept ? Message(MessageId::WriteKeptInBackup, {shown, backup})
                : Message(MessageId::WriteNotKept, {shown, backup}).Because(kept.message());
  }
  // The backup as the run leaves it: the inode read (whose links the rename changed), or the
  // copy.
  if (!copied) {
    if (lookedAt) backupState_ = script::FileIdentity::Of(afterwards);
  } else if (struct stat backup{}; backups_->Get().StatEntry(backupName_, backup) == 0) {
    backupState_ = script::FileIdentity::Of(backup);
  }
  if (!leftover.empty()) {
    note = note.empty() ? std::move(leftover)
                        : Message(MessageId::TwoNotes, {std::move(note), std::move(leftover)});
  }
  return Outcome::Success();
}

Outcome ScriptReplacement::RecordIntent(const script::FileIdentity& newFile,
                                        const std::string& backupName,
                                        const script::FileIdentity& backup) {
  JournalEntry entry;
  entry.script = location_.name;
  entry.backup = backupName;
  entry.done = false;
  entry.replacing = newFile;
  entry.keeping = backup;
  return folder_.Intend(entry);
}

Outcome ScriptReplacement::PutInPlace(const script::FileIdentity& newFile, Message& leftover,
                                      script::FileIdentity& placed) {
  const int folder = location_.folder.Descriptor();
  const std::filesystem::path& shown = location_.listed;
  const auto cantReplace = [&](int error) {
    return Outcome::Failure(
        Message(MessageId::CantReplace, {shown}).Because(Message::System(error)));
  };
  const int error = ExchangeNames(folder, temporary_.Name(), location_.name);
  if (error == 0) {
    // The temporary name now holds what the script's name held: the file read, unless another
    // program put a file of its own there just before; and the script's name holds the new
    // file, unless another program swapped a file of its own for the temporary one (it would
    // then get the script's name, and the new file, the runner's, would stay in its hands).
    // Either way the names go back.
    struct stat previous {};
    struct stat named {};
    if (location_.folder.StatEntry(temporary_.Name(), previous) != 0 ||
        !script::FileIdentity::Of(previous).SameFile(loaded_) ||
        location_.folder.StatEntry(location_.name, named) != 0 ||
        !script::FileIdentity::Of(named).SameFile(newFile)) {
      if (ExchangeNames(folder, temporary_.Name(), location_.name) != 0) {
        temporary_.Keep();  // the other program's file is under that name: it must stay
        return Outcome::Failure(Message(MessageId::ReplacedByAnotherProgram,
                                        {shown, location_.folder.PathOf(temporary_.Name())}));
      }
      return Refused(MessageId::ChangedWhileWorking);
    }
    // The script's previous version, which its backup holds too. Should it not go, the user
    // hears of the hidden file that holds it (the folder's next run removes it).
    if (::unlinkat(folder, temporary_.Name().c_str(), 0) != 0) {
      leftover =
          Message(MessageId::PreviousVersionStays, {location_.folder.PathOf(temporary_.Name())})
              .Because(Message::System(errno));
    }
    placed = script::FileIdentity::Of(named);
    temporary_.Keep();
    return Outcome::Success();
  }
  if (error == ENOENT) return Refused(MessageId::DeletedWhileWorking);
  if (!ExchangeUnsupported(error)) return cantReplace(error);
  if (::renameat(folder, temporary_.Name().c_str(), folder, location_.name.c_str()) != 0) {
    return cantReplace(errno);
  }
  temporary_.Keep();
  if (struct stat named{}; location_.folder.StatEntry(location_.name, named) == 0 &&
                           script::FileIdentity::Of(named).SameFile(newFile)) {
    placed = script::FileIdentity::Of(named);
  }
  return Outcome::Success();
}

}  // namespace nosk::engine
