// How a script's bytes are to be read and written, found from its byte-order mark, and the
// encoding of typed text (UTF-8 from the editors) into a script's encoding.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace nosk::script {

// Only Utf8 reads and writes as UTF-8; all other codes mean the system's code page. The UTF-16
// and UTF-32 marks are told apart, but such files are not decoded as what they are.
enum class ScriptEncoding : std::int16_t {
  SystemCodePage = 0,     // no mark
  Utf8 = 1,               // EF BB BF
  Utf16BigEndian = 2,     // FE FF
  Utf16LittleEndian = 3,  // FF FE
  Utf32BigEndian = 4,     // 00 00 FE FF
};

// The encoding named by the mark at the start of `firstBytes`. Only the bytes up to the first
// LF, and at most four, count: a mark cut by a line end is no mark.
ScriptEncoding DetectEncodingOfBytes(std::string_view firstBytes);
// The encoding of the named file; SystemCodePage when it cannot be read.
ScriptEncoding DetectEncoding(const std::filesystem::path& path);

// Length of the well-formed UTF-8 sequence at the start of `text` (not empty), or 0 when it is
// ill-formed (a stray continuation byte, a cut sequence, an overlong form, a surrogate, beyond
// U+10FFFF).
std::size_t Utf8SequenceLength(std::string_view text);

struct EncodedText {
  std::string bytes;
  // False when some character could not be held and was written as "?".
  bool complete = true;
};

// Typed text (UTF-8) in the bytes a script of the given encoding holds, as the system's code page
// has it: UTF-8 on Linux and macOS, so there the text stays as it is, and an
// ill-formed UTF-8 sequence becomes "?" (`complete` false), which is how block files are checked.
// A script in a legacy code page gets the text in its own code page from the engine's charset.
EncodedText EncodeTypedText(std::string_view utf8, ScriptEncoding encoding);

}  // namespace nosk::script
