#include "script/scriptio.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <string>

#include "script/progressphase.h"

namespace nosk::script {
namespace {

constexpr std::string_view kReadingStatus = "Reading data. Please, wait...";
constexpr std::string_view kOutOfMemoryMessage = "Not enough memory to read file.";

class ReadOnlyDescriptor {
 public:
  explicit ReadOnlyDescriptor(const std::filesystem::path& path)
      : descriptor_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
  ~ReadOnlyDescriptor() {
    if (descriptor_ >= 0) ::close(descriptor_);
  }
  ReadOnlyDescriptor(const ReadOnlyDescriptor&) = delete;
  ReadOnlyDescriptor& operator=(const ReadOnlyDescriptor&) = delete;
  int get() const { return descriptor_; }

 private:
  int descriptor_;
};

// Reads the file to its end into `text`, for a file measured at `size` bytes. One spare byte
// lets the read that finds the end happen without growing the buffer, which would copy it; a
// file that grows meanwhile is still read to its end. 0 or an errno value.
int ReadToEnd(int descriptor, std::size_t size, ByteBuffer& text) {
  text.Reserve(size + 1);
  std::size_t filled = 0;
  for (;;) {
    if (filled == text.capacity()) text.Reserve(text.capacity() + 64 * 1024);
    const ssize_t got = ::read(descriptor, text.data() + filled, text.capacity() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
    if (filled > static_cast<std::size_t>(kLargestScriptSize)) break;
  }
  text.SetSize(filled);
  return 0;
}

std::string TooLargeReason(const std::filesystem::path& path) {
  return PathText(path) + " is larger than 40,000,000 bytes";
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

Outcome LoadScript(Host& host, const std::filesystem::path& path, TSubtitleFile& file) {
  ProgressPhase phase(host);
  const auto readFailure = [&](int errorNumber) {
    return Outcome::Serious("Can't read from " + PathText(path) + ". " + ErrorText(errorNumber) +
                            ".");
  };

  const ReadOnlyDescriptor descriptor(path);
  if (descriptor.get() < 0) return readFailure(errno);
  struct stat status {};
  if (::fstat(descriptor.get(), &status) != 0) return readFailure(errno);
  if (S_ISDIR(status.st_mode)) return readFailure(EISDIR);
  if (!S_ISREG(status.st_mode)) return readFailure(EINVAL);
  if (status.st_size > kLargestScriptSize) return Outcome::Failure(TooLargeReason(path));

  file.SetSourceIdentity(FileIdentity::Of(status));
  phase.Start(kReadingStatus);
  try {
    ByteBuffer text;
    if (const int error =
            ReadToEnd(descriptor.get(), static_cast<std::size_t>(status.st_size), text);
        error != 0) {
      return readFailure(error);
    }
    if (static_cast<std::int64_t>(text.size()) > kLargestScriptSize) {
      return Outcome::Failure(TooLargeReason(path));
    }
    const std::int64_t total = std::max<std::int64_t>(static_cast<std::int64_t>(text.size()), 1);
    file.AddText(std::move(text), [&](std::size_t bytesDone) {
      phase.Advance(static_cast<std::int64_t>(bytesDone), total);
    });
  } catch (const std::bad_alloc&) {
    return Outcome::Serious(std::string(kOutOfMemoryMessage));
  }
  return Outcome::Success();
}

}  // namespace nosk::script
