#include "script/outcome.h"

#include <system_error>

#include "script/encoding.h"

namespace nosk::script {
namespace {

// The escape of a byte inside a quoted path, or 0 when it stands for itself.
char ShortEscape(unsigned char byte) {
  switch (byte) {
    case '\a':
      return 'a';
    case '\b':
      return 'b';
    case '\t':
      return 't';
    case '\n':
      return 'n';
    case '\v':
      return 'v';
    case '\f':
      return 'f';
    case '\r':
      return 'r';
    case '"':
      return '"';
    case '\\':
      return '\\';
    default:
      return 0;
  }
}

bool NeedsEscape(unsigned char byte) { return byte < 0x20 || byte == 0x7F || ShortEscape(byte); }

}  // namespace

std::string PathText(const std::filesystem::path& path) {
  const std::string& text = path.native();
  std::string quoted = "\"";
  bool needsQuotes = false;
  for (std::size_t at = 0; at < text.size();) {
    const auto byte = static_cast<unsigned char>(text[at]);
    const std::size_t length = Utf8SequenceLength(std::string_view(text).substr(at));
    if (length > 1 || (length == 1 && !NeedsEscape(byte))) {
      quoted.append(text, at, length);
      at += length;
      continue;
    }
    needsQuotes = true;
    quoted.push_back('\\');
    if (const char escape = ShortEscape(byte); escape != 0) {
      quoted.push_back(escape);
    } else {
      quoted.push_back(static_cast<char>('0' + (byte >> 6)));
      quoted.push_back(static_cast<char>('0' + ((byte >> 3) & 7)));
      quoted.push_back(static_cast<char>('0' + (byte & 7)));
    }
    ++at;
  }
  if (!needsQuotes) return text;
  quoted.push_back('"');
  return quoted;
}

std::string ErrorText(int errorNumber) { return std::generic_category().message(errorNumber); }

}  // namespace nosk::script
