#include "cli/blockfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "engine/editortext.h"
#include "script/encoding.h"
#include "script/filedescriptor.h"
#include "script/outcome.h"
#include "script/scriptio.h"

namespace nosk::cli {
namespace {

// Reads the descriptor to its end into `text`, refusing more than a script can hold: a block
// larger than any script matches nothing, and an endless source (/dev/zero, a pipe that never
// closes with data) must not grow without bound. 0, an errno value, or EFBIG past the limit.
int ReadLimited(int descriptor, std::string& text) {
  constexpr std::size_t kChunk = 64 * 1024;
  const auto limit = static_cast<std::size_t>(script::kLargestScriptSize);
  for (;;) {
    const std::size_t filled = text.size();
    text.resize(filled + kChunk);
    const ssize_t got = ::read(descriptor, text.data() + filled, kChunk);
    text.resize(filled + static_cast<std::size_t>(got > 0 ? got : 0));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return errno;
    if (got == 0) return 0;
    if (text.size() > limit) return EFBIG;
  }
}

}  // namespace

BlockFileReading ReadBlockFile(const std::string& name, std::vector<std::string>& lines) {
  const bool standardInput = name == "-";
  // Shown as result lines show paths: absolute, and quoted where it needs it.
  std::error_code ignored;
  const std::string shown =
      standardInput ? std::string("the standard input")
                    : script::PathText(std::filesystem::absolute(name, ignored).lexically_normal());
  script::FileDescriptor opened;
  if (!standardInput) opened.Reset(::open(name.c_str(), O_RDONLY | O_CLOEXEC));
  const int descriptor = standardInput ? STDIN_FILENO : opened.Get();
  if (descriptor < 0) {
    return {"can't read " + shown + ": " + script::ErrorText(errno)};
  }
  std::string text;
  struct stat status {};
  int error = ::fstat(descriptor, &status) != 0 ? errno : 0;
  if (error == 0 && S_ISDIR(status.st_mode)) error = EISDIR;
  if (error == 0) error = ReadLimited(descriptor, text);
  if (error == EISDIR) return {"can't read " + shown + ": it is a folder"};
  if (error == EFBIG) {
    return {"can't read " + shown + ": it holds more than 40,000,000 bytes, more than any script"};
  }
  if (error != 0) return {"can't read " + shown + ": " + script::ErrorText(error)};
  if (!script::EncodeTypedText(text, script::ScriptEncoding::Utf8).complete) {
    return {shown + " is not UTF-8 text"};
  }
  std::string_view content = text;
  if (content.starts_with("\xEF\xBB\xBF")) content.remove_prefix(3);
  lines = engine::SplitEditorText(content);
  return {};
}

}  // namespace nosk::cli
