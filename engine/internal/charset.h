// The characters of a script's bytes: UTF-8, or a legacy code page, and typed text in them.
#pragma once

#include <iconv.h>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "script/message.h"
#include "script/outcome.h"

namespace nosk::engine {

// An iconv conversion, closed when it goes.
struct IconvCloser {
  void operator()(iconv_t descriptor) const { iconv_close(descriptor); }
};
using Converter = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;
// The conversion from one encoding to another, as iconv names them; null when iconv knows none.
Converter OpenConverter(const std::string& to, const std::string& from);

// Up to four bytes from `at`, in hexadecimal: "98 41".
std::string HexBytes(std::string_view bytes, std::size_t at);
// The line (from 1) that byte `end` of `text` is on.
long long LineNumberOf(std::string_view text, std::size_t end);
// Where the first byte that is not part of well-formed UTF-8 is; npos when there is none.
std::size_t FirstInvalidUtf8(std::string_view text);
// "UTF-16LE" or "UTF-16BE" for bytes that are UTF-16 without a mark (ASCII text has a NUL in
// every other byte: the script's markup is ASCII, whatever its dialogue); null otherwise.
// Such bytes are valid UTF-8 too, and must never be edited or converted as UTF-8.
const char* UnmarkedUtf16(std::string_view bytes);
// The code page uchardet takes the bytes to be in, as iconv names it; empty when it cannot tell.
std::string DetectedCodePage(std::string_view bytes);

// What a failed decoding says: the line, the bytes and the encoding fill its holes.
struct DecodeMessages {
  script::MessageId invalid;  // %1 line, %2 bytes, %3 the encoding
  script::MessageId cut;      // %1 line, %2 the encoding, %3 bytes
};
// Decodes `bytes` from `from` into UTF-8, failing at the first byte sequence that is not valid
// there, or at a character cut by the end.
script::Outcome Decode(std::string_view bytes, const std::string& from,
                       const script::Message& label, std::string& decoded,
                       const DecodeMessages& messages);

// The characters a script's bytes hold: UTF-8, or the code page named.
struct ScriptCharset {
  std::string codePage;         // as iconv names it; empty for UTF-8
  std::string label = "UTF-8";  // as shown: "Windows-1251"
  bool guessed = false;         // the code page was guessed from the bytes
  bool IsUtf8() const { return codePage.empty(); }
};

// A script's characters, from its bytes: its mark (UTF-8; UTF-16 and UTF-32 are refused, to be
// converted first), else UTF-8 when its bytes are UTF-8, else the code page `named` (iconv's
// name), or, when none is named, the one guessed from its bytes. The bytes must be text in the
// code page; a guessed one must also read as text (no C1 control, no replacement character),
// or the reason says to name the code page.
script::Outcome ResolveCharset(std::string_view bytes, const std::string& named,
                               ScriptCharset& charset);

// Typed text (UTF-8) in the bytes of a script's characters. Fails, naming them, when the code page
// has no code for some of its characters.
script::Outcome EncodeTyped(std::string_view utf8, const ScriptCharset& charset,
                            std::string& bytes);

// Converts texts of one script between its code page and UTF-8, the conversions opened once:
// for edits that look at the characters of many lines.
class Recoder {
 public:
  explicit Recoder(const std::string& codePage);
  // Whether the whole text converted; `to` holds what it became.
  bool Decode(std::string_view bytes, std::string& utf8) { return Run(toUtf8_, bytes, utf8); }
  bool Encode(std::string_view utf8, std::string& bytes) { return Run(fromUtf8_, utf8, bytes); }

 private:
  static bool Run(const Converter& converter, std::string_view from, std::string& to);
  Converter toUtf8_;
  Converter fromUtf8_;
};

}  // namespace nosk::engine
