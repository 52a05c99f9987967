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

std::string PathText(const std::filesystem::path& path) { return QuotedText(path.native()); }

std::string QuotedText(std::string_view text) {
  std::string quoted = "\"";
  bool needsQuotes = false;
  for (std::size_t at = 0; at < text.size();) {
    const auto byte = static_cast<unsigned char>(text[at]);
    const std::size_t length = Utf8SequenceLength(text.substr(at));
    if (length > 1 || (length == 1 && !NeedsEscape(byte))) {
      quoted.append(text.substr(at, length));
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
  if (!needsQuotes) return std::string(text);
  quoted.push_back('"');
  return quoted;
}

std::string UnquotedText(std::string_view text) {
  if (text.size() < 2 || !text.starts_with('"') || !text.ends_with('"')) return std::string(text);
  text = text.substr(1, text.size() - 2);
  std::string plain;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '\\' || at + 1 == text.size()) {
      plain.push_back(text[at]);
      continue;
    }
    const char escape = text[++at];
    const std::string_view shortForms = "abtnvfr\"\\";
    const std::string_view bytes = "\a\b\t\n\v\f\r\"\\";
    if (const std::size_t form = shortForms.find(escape); form != std::string_view::npos) {
      plain.push_back(bytes[form]);
    } else if (at + 2 < text.size() && escape >= '0' && escape <= '3') {
      plain.push_back(
          static_cast<char>((escape - '0') * 64 + (text[at + 1] - '0') * 8 + (text[at + 2] - '0')));
      at += 2;
    } else {
      plain.push_back(escape);
    }
  }
  return plain;
}

std::string ErrorText(int errorNumber) { return std::generic_category().message(errorNumber); }

}  // namespace nosk::script
