#include "script/backupfolder.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

#include "script/filemetadata.h"
#include "script/scriptlocation.h"
#include "script/temporaryfile.h"

namespace nosk::script {
namespace {

// Errors of a link after which a copy can still serve: no hard links on this file system, the
// file has too many, links not permitted (protected hard links), or no /proc to link through.
bool LinkImpossible(int error) {
  return error == EXDEV || error == EPERM || error == EOPNOTSUPP || error == EMLINK ||
         error == ENOSYS || error == ENOENT;
}

// The number N of "name.~N~", or 0 when `entry` is not a backup of `name`.
unsigned BackupNumber(std::string_view entry, std::string_view& name) {
  if (!entry.ends_with('~')) return 0;
  const std::size_t mark = entry.rfind(".~");
  if (mark == std::string_view::npos || mark + 3 > entry.size()) return 0;
  const std::string_view digits = entry.substr(mark + 2, entry.size() - mark - 3);
  unsigned number = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9' || number > 400'000'000) return 0;
    number = number * 10 + static_cast<unsigned>(c - '0');
  }
  name = entry.substr(0, mark);
  return number;
}

int RenameWithoutReplacing(int folder, const std::string& from, const std::string& to) {
#ifdef SYS_renameat2
  if (::syscall(SYS_renameat2, folder, from.c_str(), folder, to.c_str(), RENAME_NOREPLACE) == 0) {
    return 0;
  }
  if (errno != EINVAL && errno != ENOSYS) return errno;
#endif
  // No atomic way on this file system: the name is checked just before. Only other programs
  // race here, since runs hold the folder's lock.
  struct stat status {};
  if (::fstatat(folder, to.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0) return EEXIST;
  return ::renameat(folder, from.c_str(), folder, to.c_str()) == 0 ? 0 : errno;
}

}  // namespace

Outcome BackupFolder::Open(const Folder& scripts, BackupFolder& backups, bool create) {
  const struct stat& parent = scripts.Status();
  int error = scripts.OpenChild(kBackupFolderName, backups.folder_);
  bool made = false;
  if (error == ENOENT && create) {
    if (::mkdirat(scripts.Descriptor(), kBackupFolderName, 0700) == 0) {
      made = true;
    } else if (errno != EEXIST) {
      return Outcome::Failure(
          Message(MessageId::CantCreateFolder, {scripts.PathOf(kBackupFolderName)})
              .Because(Message::System(errno)));
    }
    error = scripts.OpenChild(kBackupFolderName, backups.folder_);
  }
  const std::filesystem::path shown = scripts.PathOf(kBackupFolderName);
  if (error == ELOOP) return Outcome::Failure(Message(MessageId::BackupFolderIsLink, {shown}));
  if (error == ENOTDIR) {
    return Outcome::Failure(
        Message(MessageId::NotAFolder, {shown}).Because(Message::System(error)));
  }
  if (error != 0) {
    return Outcome::Failure(
        Message(MessageId::CantOpenFolder, {shown}).Because(Message::System(error)));
  }
  const int descriptor = backups.folder_.Descriptor();
  backups.made_ = made;
  if (made) {
    // As the folder shares: its group, and its group and other bits, whatever the umask says.
    mode_t shared = parent.st_mode & 03077;
    if (::fchown(descriptor, static_cast<uid_t>(-1), parent.st_gid) != 0) {
      // A runner outside the folder's group cannot give it that group. The group it keeps (the
      // runner's) gets no more than everyone else, not what the folder's group would have had.
      shared = (shared & ~mode_t{02070}) | ((shared & 07) << 3);
    }
    if (::fchmod(descriptor, 0700 | shared) != 0) {
      return Outcome::Failure(
          Message(MessageId::CantSetPermissions, {shown}).Because(Message::System(errno)));
    }
  }
  struct stat status {};
  if (::fstat(descriptor, &status) != 0) {
    return Outcome::Failure(
        Message(MessageId::CantLookAt, {shown}).Because(Message::System(errno)));
  }
  const bool trusted = status.st_uid == ::geteuid() || status.st_uid == parent.st_uid ||
                       status.st_uid == 0 ||
                       ((parent.st_mode & S_IWGRP) != 0 && status.st_gid == parent.st_gid);
  if (!trusted) {
    return Outcome::Failure(
        Message(MessageId::BackupFolderOfAnother, {shown, UserName(status.st_uid)}));
  }
  RemoveStaleTemporaryFiles(backups.folder_);
  return Outcome::Success();
}

unsigned BackupFolder::HighestNumber(const std::string& name) {
  if (!scanned_) {
    scanned_ = true;
    folder_.ForEachEntry([&](const std::string& entry) {
      std::string_view of;
      const unsigned number = BackupNumber(entry, of);
      if (number == 0) return;
      unsigned& highest = highest_[std::string(of)];
      if (number > highest) highest = number;
    });
  }
  const auto found = highest_.find(name);
  return found == highest_.end() ? 0 : found->second;
}

Outcome BackupFolder::Keep(int file, const struct stat& status, const std::string& name, bool copy,
                           std::string& backupName, bool& copied) {
  // Through /proc, the very inode that was read is linked, whatever its name leads to now.
  const std::string self = "/proc/self/fd/" + std::to_string(file);
  for (unsigned number = HighestNumber(name) + 1;; ++number) {
    backupName = name + ".~" + std::to_string(number) + "~";
    bool nameTaken = false;
    if (!copy) {
      if (::linkat(AT_FDCWD, self.c_str(), folder_.Descriptor(), backupName.c_str(),
                   AT_SYMLINK_FOLLOW) == 0) {
        highest_[name] = number;
        copied = false;
        return Outcome::Success();
      }
      const int error = errno;
      nameTaken = error == EEXIST;
      if (!nameTaken && !LinkImpossible(error)) {
        return Outcome::Failure(Message(MessageId::WithReason, {folder_.PathOf(backupName)})
                                    .Because(Message::System(error)));
      }
      copy = !nameTaken;
    }
    if (copy) {
      Outcome made = Copy(file, status, backupName, false, nameTaken);
      if (made) {
        highest_[name] = number;
        copied = true;
        return made;
      }
      if (!nameTaken) {
        return Outcome::Failure(
            Message(MessageId::WithReason, {folder_.PathOf(backupName)}).Because(made.message()));
      }
    }
  }
}

std::string BackupFolder::NextName(const std::string& name) {
  return name + ".~" + std::to_string(HighestNumber(name) + 1) + "~";
}

Outcome BackupFolder::CopyAgain(int file, const struct stat& status,
                                const std::string& backupName) {
  bool nameTaken = false;
  if (Outcome copied = Copy(file, status, backupName, true, nameTaken); !copied) {
    return Outcome::Failure(
        Message(MessageId::WithReason, {folder_.PathOf(backupName)}).Because(copied.message()));
  }
  return Outcome::Success();
}

void BackupFolder::Discard(const std::string& name, const std::string& backupName) {
  ::unlinkat(folder_.Descriptor(), backupName.c_str(), 0);
  std::string_view of;
  if (const unsigned number = BackupNumber(backupName, of); highest_[name] == number) {
    highest_[name] = number - 1;
  }
}

Outcome BackupFolder::Copy(int file, const struct stat& status, const std::string& backupName,
                           bool replace, bool& nameTaken) {
  nameTaken = false;
  TemporaryFile copy;
  if (Outcome created = copy.Create(folder_); !created) return created;
  std::string chunk(1 << 20, '\0');
  for (off_t offset = 0;;) {
    const ssize_t got = ::pread(file, chunk.data(), chunk.size(), offset);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      return Outcome::Failure(Message(MessageId::CantReadToCopy).Because(Message::System(errno)));
    }
    if (got == 0) break;
    if (!copy.Write(std::string_view(chunk.data(), static_cast<std::size_t>(got)))) break;
    offset += got;
  }
  if (Outcome flushed = copy.Flush(); !flushed) return flushed;
  struct stat copyStatus {};
  if (::fstat(copy.Descriptor(), &copyStatus) != 0) {
    return Outcome::Failure(Message::System(errno));
  }
  if (Outcome carried =
          CarryOverMetadataAsFarAsAllowed(file, status, copy.Descriptor(), copyStatus);
      !carried) {
    return carried;
  }
  if (Outcome closed = copy.Close(); !closed) return closed;
  const int into = folder_.Descriptor();
  const int error =
      replace ? (::renameat(into, copy.Name().c_str(), into, backupName.c_str()) == 0 ? 0 : errno)
              : RenameWithoutReplacing(into, copy.Name(), backupName);
  if (error != 0) {
    nameTaken = error == EEXIST;
    return Outcome::Failure(Message::System(error));
  }
  copy.Keep();
  return Outcome::Success();
}

}  // namespace nosk::script
