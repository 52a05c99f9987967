#include "engine/scriptreplacement.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

#include "script/filemetadata.h"

namespace nosk::engine {
namespace {

using script::ErrorText;
using script::Outcome;
using script::PathText;

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

Outcome ScriptReplacement::Refused(const std::string& why) const {
  return Outcome::Failure(PathText(location_.listed) + " " + why);
}

std::filesystem::path ScriptReplacement::BackupPath() const {
  if (backups_ == nullptr || backupName_.empty()) return {};
  return backups_->Get().PathOf(backupName_);
}

Outcome ScriptReplacement::Begin() {
  if (Outcome allowed = script::CheckWritePermission(file_.Get(), loaded_.mode); !allowed) {
    return Outcome::Failure(allowed.reason());
  }
  if (Outcome created = temporary_.Create(location_.folder); !created) {
    return Outcome::Failure("Can't create a file in " + PathText(location_.folder.Path()) +
                            " for the new content: " + created.reason());
  }
  return Outcome::Success();
}

std::string ScriptReplacement::StillAsRead() const {
  const std::string changed =
      "changed on disk while Nosk worked on it, so it was not changed; run again to work on its "
      "new content";
  struct stat status {};
  if (::fstat(file_.Get(), &status) != 0) return "can't be looked at: " + ErrorText(errno);
  const script::FileIdentity now = script::FileIdentity::Of(status);
  if (now.links == 0) return "was deleted while Nosk worked on it, so it was not written again";
  if (!now.SameVersion(loaded_)) return changed;
  struct stat named {};
  if (const int error = location_.folder.StatEntry(location_.name, named); error != 0) {
    if (error == ENOENT) return "was deleted while Nosk worked on it, so it was not written again";
    return "can't be looked at: " + ErrorText(error);
  }
  if (!script::FileIdentity::Of(named).SameFile(loaded_)) return changed;
  return {};
}

Outcome ScriptReplacement::Commit(WrittenFileSystems& written, std::string& note, bool& serious) {
  note.clear();
  serious = false;
  const std::string shown = PathText(location_.listed);
  if (Outcome flushed = temporary_.Flush(); !flushed) {
    return Outcome::Failure("Can't write the new content of " + shown + ": " + flushed.reason());
  }
  struct stat status {};
  struct stat newFile {};
  if (::fstat(file_.Get(), &status) != 0 || ::fstat(temporary_.Descriptor(), &newFile) != 0) {
    return Refused("can't be looked at: " + ErrorText(errno));
  }
  // A descriptor of the new file of its own, to tell what it is once it has the script's name.
  const script::FileDescriptor newFileDescriptor(
      ::fcntl(temporary_.Descriptor(), F_DUPFD_CLOEXEC, 0));
  if (Outcome carried =
          script::CarryOverMetadata(file_.Get(), status, temporary_.Descriptor(), newFile);
      !carried) {
    return Refused("was not changed: " + carried.reason());
  }
  if (Outcome closed = temporary_.Close(); !closed) {
    return Outcome::Failure("Can't write the new content of " + shown + ": " + closed.reason());
  }
  // The version read, with the owner and mode just carried over, is still the one named.
  if (const std::string why = StillAsRead(); !why.empty()) return Refused(why);

  const auto backupFailure = [&](const std::string& why) {
    return Outcome::Failure("backup could not be made, so " + shown + " was not changed: " + why);
  };
  if (Outcome opened = folder_.Backups(location_.folder, backups_); !opened) {
    return backupFailure(opened.reason());
  }
  // A script with other hard links keeps them on the previous content, so the backup must not be
  // that same inode: a later edit through another name would change it.
  const bool otherLinks = loaded_.links > 1;
  bool copied = false;
  if (Outcome kept =
          backups_->Keep(file_.Get(), status, location_.name, otherLinks, backupName_, copied);
      !kept) {
    return backupFailure(kept.reason());
  }
  struct stat afterBackup {};
  if (::fstat(file_.Get(), &afterBackup) != 0 ||
      !script::FileIdentity::Of(afterBackup).SameContent(loaded_)) {
    backups_->Discard(location_.name, backupName_);
    backupName_.clear();
    return Refused(
        "changed on disk while Nosk worked on it, so it was not changed; run again to work on "
        "its new content");
  }
  std::string leftover;
  if (Outcome placed = PutInPlace(leftover); !placed) {
    backups_->Discard(location_.name, backupName_);
    backupName_.clear();
    return placed;
  }
  written.Record(location_.folder);
  written.Record(backups_->Get());
  // The new file as it is from now on: renaming it changed its change time.
  if (::fstat(newFileDescriptor.Get(), &newFile) == 0) written_ = script::FileIdentity::Of(newFile);

  if (otherLinks) {
    note = "it has other hard links, which keep its previous content; its backup is a copy";
  }
  // Written to between the last check and the rename: that write went to the previous file, so
  // the backup holds it (a copy is taken again).
  struct stat afterwards {};
  if (::fstat(file_.Get(), &afterwards) == 0 &&
      !script::FileIdentity::Of(afterwards).SameContent(script::FileIdentity::Of(afterBackup))) {
    serious = true;
    const std::string backup = PathText(BackupPath());
    Outcome kept =
        copied ? backups_->CopyAgain(file_.Get(), afterwards, backupName_) : Outcome::Success();
    note = kept ? "another program wrote to " + shown +
                      " while Nosk replaced it; the new content does not hold that write, "
                      "which is kept in " +
                      backup
                : "another program wrote to " + shown +
                      " while Nosk replaced it, and that write could not be kept in " + backup +
                      ": " + kept.reason();
  }
  // The backup as the run leaves it: the inode read (whose links the rename changed), or the
  // copy.
  struct stat backup {};
  const int error = copied ? backups_->Get().StatEntry(backupName_, backup)
                           : (::fstat(file_.Get(), &backup) == 0 ? 0 : errno);
  if (error == 0) backupState_ = script::FileIdentity::Of(backup);
  if (!leftover.empty()) note += (note.empty() ? "" : "; ") + leftover;
  return Outcome::Success();
}

Outcome ScriptReplacement::PutInPlace(std::string& leftover) {
  const int folder = location_.folder.Descriptor();
  const std::string shown = PathText(location_.listed);
  const int error = ExchangeNames(folder, temporary_.Name(), location_.name);
  if (error == 0) {
    // The temporary name now holds what the script's name held: the file read, unless another
    // program put a file of its own there just before. Then that file goes back.
    struct stat previous {};
    if (location_.folder.StatEntry(temporary_.Name(), previous) != 0 ||
        !script::FileIdentity::Of(previous).SameFile(loaded_)) {
      if (ExchangeNames(folder, temporary_.Name(), location_.name) != 0) {
        temporary_.Keep();  // the other program's file is under that name: it must stay
        return Refused(
            "was replaced by another program while Nosk worked on it; its new version "
            "is now named " +
            PathText(location_.folder.PathOf(temporary_.Name())));
      }
      return Refused(
          "changed on disk while Nosk worked on it, so it was not changed; run again to work on "
          "its new content");
    }
    // The script's previous version, which its backup holds too. Should it not go, the user
    // hears of the hidden file that holds it (the folder's next run removes it).
    if (::unlinkat(folder, temporary_.Name().c_str(), 0) != 0) {
      leftover = "its previous version also stays as " +
                 PathText(location_.folder.PathOf(temporary_.Name())) +
                 ", which could not be removed: " + ErrorText(errno);
    }
    temporary_.Keep();
    return Outcome::Success();
  }
  if (error == ENOENT)
    return Refused("was deleted while Nosk worked on it, so it was not written again");
  if (!ExchangeUnsupported(error))
    return Outcome::Failure("Can't replace " + shown + ": " + ErrorText(error));
  if (::renameat(folder, temporary_.Name().c_str(), folder, location_.name.c_str()) != 0) {
    return Outcome::Failure("Can't replace " + shown + ": " + ErrorText(errno));
  }
  temporary_.Keep();
  return Outcome::Success();
}

}  // namespace nosk::engine
