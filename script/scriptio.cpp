#include "script/scriptio.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <string>

namespace nosk::script {
namespace {

// What reading a file to its end found.
enum class Reading { Whole, Changed };

// Reads the file measured at `identity` from its start to its end into `text`. A file that
// another program writes meanwhile (it grew, shrank, or its times moved) is not the file that
// was measured: what was read is then no snapshot of any state of it, so it is Changed, and
// nothing read is kept. The measured size is read and no more: a file grown meanwhile has
// another size or times when it is measured again after the read, so no read needs to find the
// end. Only a file measured empty is read one byte further, as files whose size tells nothing
// (the kernel's own, under /proc) measure. 0 or an errno value.
int ReadToEnd(int descriptor, const FileIdentity& identity, ByteBuffer& text, Reading& reading) {
  const auto size = static_cast<std::size_t>(identity.size);
  const std::size_t wanted = std::max<std::size_t>(size, 1);
  text.Reserve(wanted);
  std::size_t filled = 0;
  reading = Reading::Whole;
  while (filled < wanted) {
    const ssize_t got =
        ::pread(descriptor, text.data() + filled, wanted - filled, static_cast<off_t>(filled));
    if (got < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  struct stat after {};
  if (::fstat(descriptor, &after) != 0) return errno;
  if (filled != size || !FileIdentity::Of(after).SameState(identity)) {
    reading = Reading::Changed;
    filled = 0;
  }
  text.SetSize(filled);
  return 0;
}

Outcome ReadFailure(const std::filesystem::path& path, int error) {
  return Outcome::Serious(Message(MessageId::CantReadFrom, {path}).Because(Message::System(error)));
}

Outcome TooLarge(const std::filesystem::path& path) {
  return Outcome::Failure(Message(MessageId::LargerThanLimit, {path}));
}

}  // namespace

std::string_view ReadScriptLine(std::string_view bytes, std::size_t& position) {
  const std::size_t start = position;
  // Nothing left to search: an empty text may have no storage at all (a null pointer).
  if (start >= bytes.size()) return {};
  const void* lineFeed = std::memchr(bytes.data() + start, '\n', bytes.size() - start);
  position = lineFeed == nullptr
                 ? bytes.size()
                 : static_cast<std::size_t>(static_cast<const char*>(lineFeed) - bytes.data()) + 1;
  return bytes.substr(start, position - start);
}

bool WriteScriptLine(ByteSink& sink, std::string_view line) { return sink.Write(line); }

Outcome LoadScript(const std::filesystem::path& path, TSubtitleFile& file,
                   const LoadProgress& progress) {
  const FileDescriptor descriptor(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat status {};
  int error = !descriptor.Valid() ? errno : ::fstat(descriptor.Get(), &status) != 0 ? errno : 0;
  if (error == 0 && S_ISDIR(status.st_mode)) error = EISDIR;
  if (error == 0 && !S_ISREG(status.st_mode)) error = EINVAL;
  if (error != 0) return ReadFailure(path, error);
  return LoadScriptFrom(descriptor, FileIdentity::Of(status), path, file, progress);
}

Outcome LoadScriptFrom(const FileDescriptor& descriptor, const FileIdentity& identity,
                       const std::filesystem::path& path, TSubtitleFile& file,
                       const LoadProgress& progress) {
  if (identity.size > kLargestScriptSize) return TooLarge(path);
  file.SetSourceIdentity(identity);
  try {
    ByteBuffer text;
    Reading reading = Reading::Whole;
    if (const int error = ReadToEnd(descriptor.Get(), identity, text, reading); error != 0) {
      return ReadFailure(path, error);
    }
    if (reading == Reading::Changed) {
      return Outcome::Failure(Message(MessageId::ChangedWhileRead, {path}));
    }
    const std::int64_t total = std::max<std::int64_t>(static_cast<std::int64_t>(text.size()), 1);
    if (progress) {
      file.AddText(std::move(text), [&](std::size_t bytesDone) {
        progress(static_cast<std::int64_t>(bytesDone), total);
      });
    } else {
      file.AddText(std::move(text));
    }
  } catch (const std::bad_alloc&) {
    return Outcome::Serious(Message(MessageId::OutOfMemoryReading));
  }
  return Outcome::Success();
}

}  // namespace nosk::script
