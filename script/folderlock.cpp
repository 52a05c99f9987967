#include "script/folderlock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace nosk::script {

Outcome FolderLock::Take(const Folder& folder, std::chrono::milliseconds longest,
                         const std::function<void()>& waiting, FolderLock& lock) {
  lock.Release();
  // A descriptor of its own, so that closing the folder's does not drop the lock, and so that
  // the lock does not depend on how the folder was opened.
  FileDescriptor descriptor(::openat(folder.Descriptor(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!descriptor.Valid()) {
    return Outcome::Failure(
        Message(MessageId::CantLockFolder, {folder.Path()}).Because(Message::System(errno)));
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
  lock.descriptor_ = std::move(descriptor);
  lock.locked_ = folder.Identity();
  return Outcome::Success();
}

}  // namespace nosk::script
