#include "engine/internal/writtenfilesystems.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace nosk::engine {

void WrittenFileSystems::Record(const script::Folder& folder) {
  const auto device = static_cast<unsigned long long>(folder.Status().st_dev);
  if (byDevice_.contains(device)) return;
  script::FileDescriptor descriptor(::fcntl(folder.Descriptor(), F_DUPFD_CLOEXEC, 0));
  byDevice_.emplace(device, Written{std::move(descriptor), folder.Path()});
}

script::Outcome WrittenFileSystems::FlushAll() {
  script::Outcome result = script::Outcome::Success();
  for (auto& [device, written] : byDevice_) {
    int error = written.descriptor.Valid() ? 0 : EBADF;
    if (error == 0) {
#ifdef __linux__
      if (::syncfs(written.descriptor.Get()) != 0) error = errno;
#else
      ::sync();
#endif
    }
    if (error != 0 && result) {
      result =
          script::Outcome::Failure(script::Message(script::MessageId::FlushFailed, {written.folder})
                                       .Because(script::Message::System(error)));
    }
  }
  byDevice_.clear();
  return result;
}

}  // namespace nosk::engine
