#include "script/filemetadata.h"

#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "script/scriptlocation.h"

namespace nosk::script {
namespace {

constexpr const char* kAccessAcl = "system.posix_acl_access";

// The names of the extended attributes of an open file; empty where the file system has none.
int ListAttributes(int file, std::vector<std::string>& names) {
  names.clear();
  for (;;) {
    const ssize_t size = ::flistxattr(file, nullptr, 0);
    if (size < 0) return errno == ENOTSUP || errno == ENOSYS ? 0 : errno;
    if (size == 0) return 0;
    std::string list(static_cast<std::size_t>(size), '\0');
    const ssize_t got = ::flistxattr(file, list.data(), list.size());
    if (got < 0 && errno == ERANGE) continue;  // it grew meanwhile
    if (got < 0) return errno;
    list.resize(static_cast<std::size_t>(got));
    for (std::size_t at = 0; at < list.size();) {
      const std::size_t end = list.find('\0', at);
      names.push_back(list.substr(at, end - at));
      at = end == std::string::npos ? list.size() : end + 1;
    }
    return 0;
  }
}

// The value of one attribute: 0, ENODATA when there is none, or another errno value.
int ReadAttribute(int file, const std::string& name, std::string& value) {
  for (;;) {
    const ssize_t size = ::fgetxattr(file, name.c_str(), nullptr, 0);
    if (size < 0) return errno;
    value.assign(static_cast<std::size_t>(size), '\0');
    const ssize_t got = ::fgetxattr(file, name.c_str(), value.data(), value.size());
    if (got < 0 && errno == ERANGE) continue;
    if (got < 0) return errno;
    value.resize(static_cast<std::size_t>(got));
    return 0;
  }
}

Outcome CarryOverAttributes(int from, int to) {
  std::vector<std::string> names;
  if (const int error = ListAttributes(from, names); error != 0) {
    return Outcome::Failure(Message(MessageId::CantReadAttributes).Because(Message::System(error)));
  }
  bool hasAccessAcl = false;
  for (const std::string& name : names) {
    hasAccessAcl = hasAccessAcl || name == kAccessAcl;
    std::string value;
    std::string present;
    if (const int error = ReadAttribute(from, name, value); error != 0) {
      if (error == ENODATA) continue;  // removed meanwhile
      return Outcome::Failure(
          Message(MessageId::CantReadAttribute, {name}).Because(Message::System(error)));
    }
    // What the new file has already (a security label, an inherited ACL) need not be set.
    if (ReadAttribute(to, name, present) == 0 && present == value) continue;
    if (::fsetxattr(to, name.c_str(), value.data(), value.size(), 0) != 0) {
      return Outcome::Failure(
          Message(MessageId::CantGiveAttribute, {name}).Because(Message::System(errno)));
    }
  }
  // An ACL the new file inherited from its folder, that the old file did not have, must go.
  if (!hasAccessAcl && ::fremovexattr(to, kAccessAcl) != 0 && errno != ENODATA &&
      errno != ENOTSUP && errno != ENOSYS) {
    return Outcome::Failure(
        Message(MessageId::CantRemoveInheritedAcl).Because(Message::System(errno)));
  }
  return Outcome::Success();
}

Outcome CarryOver(int from, const struct stat& fromStatus, int to, const struct stat& toStatus,
                  bool ownerRequired) {
  if (toStatus.st_uid != fromStatus.st_uid || toStatus.st_gid != fromStatus.st_gid) {
    if (::fchown(to, fromStatus.st_uid, fromStatus.st_gid) != 0) {
      const int error = errno;
      if (ownerRequired) {
        return Outcome::Failure(
            Message(MessageId::CantGiveOwner, {UserName(fromStatus.st_uid), fromStatus.st_gid})
                .Because(Message::System(error)));
      }
      // The group alone, where the runner belongs to it.
      [[maybe_unused]] const int ignored = ::fchown(to, static_cast<uid_t>(-1), fromStatus.st_gid);
    }
  }
  if (::fchmod(to, fromStatus.st_mode & 07777) != 0) {
    return Outcome::Failure(
        Message(MessageId::CantSetNewFilePermissions).Because(Message::System(errno)));
  }
  return CarryOverAttributes(from, to);
}

}  // namespace

Outcome CarryOverMetadata(int from, const struct stat& fromStatus, int to,
                          const struct stat& toStatus) {
  return CarryOver(from, fromStatus, to, toStatus, true);
}

Outcome CarryOverMetadataAsFarAsAllowed(int from, const struct stat& fromStatus, int to,
                                        const struct stat& toStatus) {
  return CarryOver(from, fromStatus, to, toStatus, false);
}

Outcome CheckWritePermission(int file, unsigned mode) {
  static const uid_t runner = ::geteuid();
  if (runner == 0) {
    if ((mode & 0222) == 0) {
      return Outcome::Failure(Message(MessageId::ReadOnlyScript));
    }
    return Outcome::Success();
  }
  // The permission of the inode itself, its ACL included, not of whatever its name leads to now.
  const std::string self = "/proc/self/fd/" + std::to_string(file);
  if (::faccessat(AT_FDCWD, self.c_str(), W_OK, AT_EACCESS) != 0) {
    const int error = errno;
    if (error == ENOENT) return Outcome::Success();  // no /proc: the rename decides
    if (error == EROFS) return Outcome::Failure(Message::System(error));
    return Outcome::Failure(Message(MessageId::MayNotWrite).Because(Message::System(error)));
  }
  return Outcome::Success();
}

}  // namespace nosk::script
