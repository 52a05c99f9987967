#include "engine/writtenfilesystems.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace nosk::engine {

void WrittenFileSystems::Record(const std::filesystem::path& folder) {
  if (folder == lastFolder_) return;
  lastFolder_ = folder;
  struct stat status {};
  if (::stat(folder.c_str(), &status) == 0) folderByDevice_.try_emplace(status.st_dev, folder);
}

script::Outcome WrittenFileSystems::FlushAll() {
  script::Outcome result = script::Outcome::Success();
  for (const auto& [device, folder] : folderByDevice_) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int error = descriptor < 0 ? errno : 0;
    if (descriptor >= 0) {
#ifdef __linux__
      if (::syncfs(descriptor) != 0) error = errno;
#else
      ::sync();
#endif
      ::close(descriptor);
    }
    if (error != 0 && result) {
      result =
          script::Outcome::Failure("The rewritten scripts in " + script::PathText(folder) +
                                   " could not be flushed to disk: " + script::ErrorText(error) +
                                   ". They and their backups are in place, but a crash now "
                                   "could lose the newest changes.");
    }
  }
  folderByDevice_.clear();
  lastFolder_.clear();
  return result;
}

}  // namespace nosk::engine
