#include "script/outputfile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace nosk::script {

OutputFile::~OutputFile() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

Outcome OutputFile::CreateNew(const std::filesystem::path& path, unsigned permissions) {
  if (descriptor_ >= 0) return Outcome::Failure("a file is already open for writing");
  firstError_ = 0;
  descriptor_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                       static_cast<mode_t>(permissions));
  if (descriptor_ < 0) {
    firstError_ = errno;
    return Outcome::Failure(ErrorText(firstError_));
  }
  buffer_.clear();
  buffer_.reserve(kBufferSize);
  return Outcome::Success();
}

bool OutputFile::WriteThrough(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      firstError_ = errno;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool OutputFile::Flush() {
  const bool ok = WriteThrough(buffer_);
  buffer_.clear();
  return ok;
}

bool OutputFile::Write(std::string_view bytes) {
  if (descriptor_ < 0 || firstError_ != 0) return false;
  if (buffer_.size() + bytes.size() <= kBufferSize) {
    buffer_.append(bytes);
    return true;
  }
  if (!Flush()) return false;
  if (bytes.size() < kBufferSize) {
    buffer_.append(bytes);
    return true;
  }
  return WriteThrough(bytes);
}

Outcome OutputFile::Close() {
  if (descriptor_ < 0) return Outcome::Failure("no file is open for writing");
  if (firstError_ == 0) Flush();
  // close() can report a failed delayed write (NFS, a full quota); the descriptor is gone anyway.
  if (::close(descriptor_) != 0 && firstError_ == 0) firstError_ = errno;
  descriptor_ = -1;
  if (firstError_ != 0) return Outcome::Failure(ErrorText(firstError_));
  return Outcome::Success();
}

}  // namespace nosk::script
