// Reading a script file into a TSubtitleFile, and writing lines back.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>

#include "script/bytesink.h"
#include "script/filedescriptor.h"
#include "script/fileidentity.h"
#include "script/outcome.h"
#include "script/outputfile.h"
#include "script/subtitlefile.h"

namespace nosk::script {

// Scripts larger than this are refused; a file of exactly this size is read.
inline constexpr std::int64_t kLargestScriptSize = 40'000'000;

// The next line of `bytes` from `position`: through the next LF (kept, as is a CR before it), or
// to the end. Advances `position` past it. A line is one piece however long it is, and a NUL
// byte is an ordinary byte of it.
std::string_view ReadScriptLine(std::string_view bytes, std::size_t& position);

// Writes the line's bytes as they are (they carry their own terminator, if any). False when the
// write failed; a file reports the reason when it is closed.
bool WriteScriptLine(ByteSink& sink, std::string_view line);

// Learns, as a script's bytes are cut into lines, how many of `total` bytes are done.
using LoadProgress = std::function<void(std::int64_t done, std::int64_t total)>;

// Appends the lines of the named file to `file`, telling `progress` (when given) how far it got.
// Fails for a file over kLargestScriptSize, and seriously (Outcome::serious) with "Can't read
// from <path>. <why>." when the file cannot be read or "Not enough memory to read file." when
// memory runs out; the caller shows the reason its own way. Lines added before a failure stay; the
// caller discards the object. The file's identity is kept in `file`, so that a rewrite can tell
// whether the file changed since.
Outcome LoadScript(const std::filesystem::path& path, TSubtitleFile& file,
                   const LoadProgress& progress = {});
// LoadScript from a file already open for reading, whose identity (size included) was taken on
// that descriptor; `path` names it in messages. Nothing is opened by name.
Outcome LoadScriptFrom(const FileDescriptor& descriptor, const FileIdentity& identity,
                       const std::filesystem::path& path, TSubtitleFile& file,
                       const LoadProgress& progress = {});

}  // namespace nosk::script
