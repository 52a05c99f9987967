#include "script/fileidentity.h"

#include <sys/stat.h>

namespace nosk::script {

FileIdentity FileIdentity::Of(const struct stat& status) {
  const auto nanoseconds = [](const struct timespec& time) {
    return static_cast<long long>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
  };
  FileIdentity identity;
  identity.device = static_cast<unsigned long long>(status.st_dev);
  identity.inode = static_cast<unsigned long long>(status.st_ino);
  identity.size = static_cast<long long>(status.st_size);
  identity.modifiedNanoseconds = nanoseconds(status.st_mtim);
  identity.changedNanoseconds = nanoseconds(status.st_ctim);
  identity.owner = status.st_uid;
  identity.group = status.st_gid;
  identity.mode = status.st_mode;
  identity.links = static_cast<unsigned long long>(status.st_nlink);
  return identity;
}

}  // namespace nosk::script
