#include "script/folderlock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace nosk::script {

namespace {

// Read and write for each class of users that may write the folder.
mode_t WritersBits(mode_t folder) {
  mode_t bits = 0600;
  if ((folder & S_IWGRP) != 0) bits |= 0060;
  if ((folder & S_IWOTH) != 0) bits |= 0006;
  return bits;
}

// The lock file in `backups`, made if there is none: 0 or an errno value.
int OpenLockFile(const Folder& folder, const Folder& backups, FileDescriptor& file) {
  constexpr int kFlags = O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
  const mode_t bits = WritersBits(folder.Status().st_mode);
  for (int attempt = 0; attempt < 3; ++attempt) {
    file.Reset(::openat(backups.Descriptor(), kLockName, kFlags));
    if (!file.Valid() && errno == ENOENT) {
      file.Reset(::openat(backups.Descriptor(), kLockName, kFlags | O_CREAT | O_EXCL, bits));
      if (!file.Valid() && errno == EEXIST) continue;  // another run made it first
      if (file.Valid()) {
        // The folder's writers, whatever the umask and the creator's group.
        [[maybe_unused]] const int group =
            ::fchown(file.Get(), static_cast<uid_t>(-1), folder.Status().st_gid);
        if (::fchmod(file.Get(), bits) != 0) return errno;
      }
    }
    if (!file.Valid()) return errno == ELOOP ? EPERM : errno;
    struct stat status {};
    if (::fstat(file.Get(), &status) != 0) return errno;
    return S_ISREG(status.st_mode) ? 0 : EINVAL;
  }
  return EEXIST;
}

// Whether the lock file is still "lock" in the folder's Nosk_backup.
bool StillInPlace(const Folder& folder, const Folder& backups, int lock) {
  struct stat named {};
  struct stat locked {};
  return folder.StatEntry(backups.Path().filename().string(), named) == 0 &&
         FileIdentity::Of(named).SameFile(backups.Identity()) &&
         backups.StatEntry(kLockName, named) == 0 && ::fstat(lock, &locked) == 0 &&
         FileIdentity::Of(named).SameFile(FileIdentity::Of(locked));
}

}  // namespace

Outcome FolderLock::Take(const Folder& folder, const Folder& backups,
                         std::chrono::milliseconds longest, const std::function<void()>& waiting,
                         FolderLock& lock, bool& moved) {
  lock.Release();
  moved = false;
  FileDescriptor descriptor;
  if (const int error = OpenLockFile(folder, backups, descriptor); error != 0) {
    return Outcome::Failure(
        Message(MessageId::CantLockFolder, {folder.Path()}).Because(Message::System(error)));
  }
  const auto deadline = std::chrono::steady_clock::now() + longest;
  bool told = false;
  while (::flock(descriptor.Get(), LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    if (error == EINTR) continue;
    if (error != EWOULDBLOCK) {
      return Outcome::Failure(
          Message(MessageId::CantLockFolder, {folder.Path()}).Because(Message::System(error)));
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      return Outcome::Failure(Message(MessageId::OtherRunKeptWorking, {folder.Path()}));
    }
    if (!told && waiting) waiting();
    told = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  if (!StillInPlace(folder, backups, descriptor.Get())) {
    moved = true;
    return Outcome::Success();
  }
  lock.descriptor_ = std::move(descriptor);
  lock.locked_ = folder.Identity();
  return Outcome::Success();
}

}  // namespace nosk::script
