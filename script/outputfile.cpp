#include "script/outputfile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace nosk::script {

Outcome OutputFile::CreateNew(const std::filesystem::path& path, unsigned permissions) {
  if (descriptor_.Valid()) return Outcome::Failure(Message(MessageId::FileAlreadyOpen));
  return Opened(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                       static_cast<mode_t>(permissions)));
}

Outcome OutputFile::CreateNewIn(int folder, const std::string& name, unsigned permissions) {
  if (descriptor_.Valid()) return Outcome::Failure(Message(MessageId::FileAlreadyOpen));
  return Opened(::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                         static_cast<mode_t>(permissions)));
}

Outcome OutputFile::Opened(int descriptor) {
  firstError_ = descriptor < 0 ? errno : 0;
  descriptor_.Reset(descriptor);
  if (firstError_ != 0) return Outcome::Failure(Message::System(firstError_));
  buffer_.clear();
  buffer_.reserve(kBufferSize);
  return Outcome::Success();
}

bool OutputFile::WriteThrough(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor_.Get(), bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      firstError_ = errno;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool OutputFile::WriteBuffer() {
  const bool ok = WriteThrough(buffer_);
  buffer_.clear();
  return ok;
}

bool OutputFile::Write(std::string_view bytes) {
  if (!descriptor_.Valid() || firstError_ != 0) return false;
  if (buffer_.size() + bytes.size() <= kBufferSize) {
    buffer_.append(bytes);
    return true;
  }
  if (!WriteBuffer()) return false;
  if (bytes.size() < kBufferSize) {
    buffer_.append(bytes);
    return true;
  }
  return WriteThrough(bytes);
}

Outcome OutputFile::Flush() {
  if (!descriptor_.Valid()) return Outcome::Failure(Message(MessageId::NoFileOpen));
  if (firstError_ == 0) WriteBuffer();
  if (firstError_ != 0) return Outcome::Failure(Message::System(firstError_));
  return Outcome::Success();
}

Outcome OutputFile::Close() {
  if (!descriptor_.Valid()) return Outcome::Failure(Message(MessageId::NoFileOpen));
  if (firstError_ == 0) WriteBuffer();
  // close() can report a failed delayed write (NFS, a full quota); the descriptor is gone anyway.
  if (const int error = descriptor_.Close(); error != 0 && firstError_ == 0) firstError_ = error;
  if (firstError_ != 0) return Outcome::Failure(Message::System(firstError_));
  return Outcome::Success();
}

}  // namespace nosk::script
