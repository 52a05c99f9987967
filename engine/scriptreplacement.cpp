#include "engine/scriptreplacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

namespace nosk::engine {
namespace {

using script::ErrorText;
using script::Outcome;
using script::PathText;

// Errors of link() after which a copy can still serve as the backup: the file system has no
// hard links, the two names are on different file systems, or the file has too many links.
bool LinkImpossible(int error) {
  return error == EXDEV || error == EPERM || error == EOPNOTSUPP || error == EMLINK ||
         error == ENOSYS;
}

// Copies the file into a new file that must not exist yet. 0 or an errno value; a partial copy
// is removed.
int CopyToNewFile(const std::filesystem::path& from, const std::filesystem::path& to,
                  unsigned permissions) {
  const int source = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (source < 0) return errno;
  script::OutputFile copy;
  if (!copy.CreateNew(to, permissions)) {
    ::close(source);
    return copy.LastError();
  }
  std::string chunk(1 << 20, '\0');
  int error = 0;
  for (;;) {
    const ssize_t got = ::read(source, chunk.data(), chunk.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      error = errno;
      break;
    }
    if (got == 0) break;
    if (!copy.Write(std::string_view(chunk.data(), static_cast<std::size_t>(got)))) break;
  }
  ::close(source);
  if (!copy.Close() && error == 0) error = copy.LastError();
  if (error != 0) ::unlink(to.c_str());
  return error;
}

std::string BackupFailure(const std::filesystem::path& script, const std::string& why) {
  return "backup could not be made, so " + PathText(script.filename()) + " was not changed: " + why;
}

}  // namespace

ScriptReplacement::ScriptReplacement(std::filesystem::path scriptPath,
                                     const script::FileIdentity& loaded)
    : scriptPath_(std::move(scriptPath)), loaded_(loaded) {}

ScriptReplacement::~ScriptReplacement() {
  if (!temporaryPath_.empty() && !committed_) ::unlink(temporaryPath_.c_str());
}

Outcome ScriptReplacement::Begin() {
  // A link is replaced where it points; any other path where it is (folders on the way may be
  // links: the rename works through them all the same).
  std::error_code error;
  realPath_ = std::filesystem::is_symlink(scriptPath_, error)
                  ? std::filesystem::canonical(scriptPath_, error)
                  : std::filesystem::absolute(scriptPath_, error);
  if (error) {
    return Outcome::Failure("Can't find " + PathText(scriptPath_) + ": " + error.message());
  }
  folder_ = realPath_.parent_path();
  // A short name of our own, so that a script name near the length limit still fits, and a name
  // that no folder scan takes for a script.
  static const std::string prefix = ".nosk-" + std::to_string(::getpid()) + "-";
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path candidate = folder_ / (prefix + std::to_string(counter++) + ".tmp");
    if (output_.CreateNew(candidate)) {
      temporaryPath_ = candidate;
      return Outcome::Success();
    }
    if (output_.LastError() != EEXIST) break;
  }
  return Outcome::Failure("Can't create a file in " + PathText(folder_) +
                          " for the new content: " + ErrorText(output_.LastError()));
}

Outcome ScriptReplacement::Commit() {
  struct stat previous {};
  if (::stat(realPath_.c_str(), &previous) != 0) {
    return Outcome::Failure("Can't read the permissions of " + PathText(scriptPath_) + ": " +
                            ErrorText(errno));
  }
  // The owner first (as root, a user's script stays theirs; otherwise this fails harmlessly),
  // since a change of owner clears the set-user-ID bits that the mode then restores.
  static const uid_t user = ::geteuid();
  static const gid_t group = ::getegid();
  if (previous.st_uid != user || previous.st_gid != group) {
    [[maybe_unused]] const int ignored =
        ::fchown(output_.Descriptor(), previous.st_uid, previous.st_gid);
  }
  if (::fchmod(output_.Descriptor(), previous.st_mode & 07777) != 0) {
    return Outcome::Failure("Can't set the permissions of the new " + PathText(scriptPath_) + ": " +
                            ErrorText(errno));
  }
  if (const Outcome closed = output_.Close(); !closed) {
    return Outcome::Failure("Can't write the new content of " + PathText(scriptPath_) + ": " +
                            closed.reason());
  }
  // Written to by someone else since it was read: the new content would drop their change.
  if (script::FileIdentity::Of(previous) != loaded_) {
    return Outcome::Failure(PathText(scriptPath_) +
                            " changed on disk while Nosk worked on it, so it was not changed; "
                            "run again to work on its new content");
  }
  if (Outcome backedUp = MakeBackup(previous.st_mode & 0777); !backedUp) return backedUp;
  if (::rename(temporaryPath_.c_str(), realPath_.c_str()) != 0) {
    const int error = errno;
    ::unlink(backupPath_.c_str());
    backupPath_.clear();
    return Outcome::Failure("Can't replace " + PathText(scriptPath_) + ": " + ErrorText(error));
  }
  committed_ = true;
  return Outcome::Success();
}

Outcome ScriptReplacement::MakeBackup(unsigned permissions) {
  const std::filesystem::path backupFolder =
      std::filesystem::absolute(scriptPath_).parent_path() / kBackupFolderName;
  const std::string name = scriptPath_.filename().native();
  bool folderMade = false;
  for (unsigned number = 1;; ++number) {
    const std::filesystem::path candidate =
        backupFolder / (name + ".~" + std::to_string(number) + "~");
    int error = ::link(realPath_.c_str(), candidate.c_str()) == 0 ? 0 : errno;
    if (error != 0 && LinkImpossible(error)) {
      error = CopyToNewFile(realPath_, candidate, permissions);
    }
    // The backup folder is made when the link (or the copy) finds it missing: once per folder,
    // not once per script.
    if (error == ENOENT && !folderMade) {
      folderMade = true;
      if (::mkdir(backupFolder.c_str(), 0777) != 0 && errno != EEXIST) {
        return Outcome::Failure(BackupFailure(
            scriptPath_,
            "Can't create the folder " + PathText(backupFolder) + ": " + ErrorText(errno)));
      }
      --number;
      continue;
    }
    if (error == 0) {
      backupPath_ = candidate;
      return Outcome::Success();
    }
    if (error != EEXIST) {
      return Outcome::Failure(
          BackupFailure(scriptPath_, PathText(candidate) + ": " + ErrorText(error)));
    }
  }
}

}  // namespace nosk::engine
