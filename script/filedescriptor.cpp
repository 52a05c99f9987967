#include "script/filedescriptor.h"

#include <unistd.h>

#include <cerrno>

namespace nosk::script {

void FileDescriptor::Reset(int descriptor) {
  if (descriptor_ >= 0) ::close(descriptor_);
  descriptor_ = descriptor;
}

int FileDescriptor::Close() {
  if (descriptor_ < 0) return 0;
  const int result = ::close(Release());
  return result == 0 ? 0 : errno;
}

}  // namespace nosk::script
