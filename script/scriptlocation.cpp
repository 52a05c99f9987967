#include "script/scriptlocation.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace nosk::script {
namespace {

// More links than this in a row are a loop, as the system counts them.
constexpr int kMostLinks = 40;

Message WhyNotAScript(const struct stat& status) {
  return Message(S_ISDIR(status.st_mode) ? MessageId::IsAFolder : MessageId::NotARegularFile);
}

Outcome CantReadFrom(const std::filesystem::path& path, int error) {
  return Outcome::Serious(Message(MessageId::CantReadFrom, {path}).Because(Message::System(error)));
}

}  // namespace

MessageArgument UserName(unsigned user) {
  struct passwd entry {};
  struct passwd* found = nullptr;
  std::vector<char> buffer(4096);
  if (::getpwuid_r(user, &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr) {
    return std::string(found->pw_name);
  }
  return Message(MessageId::UnknownUser, {user});
}

Outcome LocateScript(const std::filesystem::path& listed, ScriptLocation& location,
                     Folder& lastFolder) {
  location.listed = listed;
  location.name = listed.filename().string();
  location.throughLink = false;
  if (!lastFolder.IsOpen() || lastFolder.Path() != listed.parent_path()) {
    if (Outcome opened = Folder::Open(listed.parent_path(), lastFolder); !opened) return opened;
  }
  location.folder = lastFolder;
  std::vector<unsigned> linkOwners;
  struct stat status {};
  for (int links = 0;; ++links) {
    if (const int error = location.folder.StatEntry(location.name, status); error != 0) {
      if (error == ENOENT && links == 0) return Outcome::Failure(Message(MessageId::NoFileAtPath));
      if (error == ENOENT) return Outcome::Failure(Message(MessageId::LinkToNothing));
      return Outcome::Failure(Message(MessageId::CantLookAtPath).Because(Message::System(error)));
    }
    if (!S_ISLNK(status.st_mode)) break;
    if (links == kMostLinks) return Outcome::Failure(Message::System(ELOOP));
    linkOwners.push_back(status.st_uid);
    std::string target(static_cast<std::size_t>(status.st_size) + 256, '\0');
    const ssize_t length = ::readlinkat(location.folder.Descriptor(), location.name.c_str(),
                                        target.data(), target.size());
    if (length < 0) {
      return Outcome::Failure(Message(MessageId::CantReadLink).Because(Message::System(errno)));
    }
    target.resize(static_cast<std::size_t>(length));
    const std::filesystem::path targetPath = std::filesystem::path(target).is_absolute()
                                                 ? std::filesystem::path(target)
                                                 : location.folder.Path() / target;
    const std::filesystem::path targetName = targetPath.filename();
    if (targetName.empty() || targetName == "." || targetName == "..") {
      return Outcome::Failure(Message(MessageId::LinkToFolder));
    }
    Folder targetFolder;
    if (Outcome opened = Folder::Open(targetPath.parent_path(), targetFolder); !opened) {
      return opened;
    }
    location.folder = std::move(targetFolder);
    location.name = targetName.string();
    location.throughLink = true;
  }
  if (!S_ISREG(status.st_mode)) return Outcome::Failure(WhyNotAScript(status));
  for (const unsigned owner : linkOwners) {
    if (owner != status.st_uid) {
      return Outcome::Failure(Message(
          MessageId::LinkOfAnotherOwner,
          {UserName(owner), location.folder.PathOf(location.name), UserName(status.st_uid)}));
    }
  }
  return Outcome::Success();
}

Outcome OpenScript(const ScriptLocation& location, FileDescriptor& file, FileIdentity& identity) {
  file.Reset(::openat(location.folder.Descriptor(), location.name.c_str(),
                      O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!file.Valid()) {
    const int error = errno;
    if (error == ELOOP) return Outcome::Failure(Message(MessageId::ReplacedByLink));
    return CantReadFrom(location.listed, error);
  }
  struct stat status {};
  if (::fstat(file.Get(), &status) != 0) return CantReadFrom(location.listed, errno);
  if (!S_ISREG(status.st_mode)) {
    file.Reset();
    return Outcome::Failure(WhyNotAScript(status));
  }
  identity = FileIdentity::Of(status);
  return Outcome::Success();
}

}  // namespace nosk::script
