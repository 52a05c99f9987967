#include "script/encoding.h"

#include <array>
#include <fstream>

#ifdef _WIN32
#include <windows.h>
#endif

namespace nosk::script {
namespace {

struct Mark {
  std::string_view bytes;
  ScriptEncoding encoding;
};

// In this order: FF FE is tested before the longer marks, so FF FE 00 00 counts as UTF-16.
constexpr std::array<Mark, 4> kMarks = {{
    {"\xEF\xBB\xBF", ScriptEncoding::Utf8},
    {"\xFE\xFF", ScriptEncoding::Utf16BigEndian},
    {"\xFF\xFE", ScriptEncoding::Utf16LittleEndian},
    {std::string_view("\x00\x00\xFE\xFF", 4), ScriptEncoding::Utf32BigEndian},
}};

// The UTF-8 text with every ill-formed sequence replaced by "?".
EncodedText WellFormedUtf8(std::string_view utf8) {
  EncodedText result;
  result.bytes.reserve(utf8.size());
  while (!utf8.empty()) {
    const std::size_t length = Utf8SequenceLength(utf8);
    if (length == 0) {
      result.bytes.push_back('?');
      result.complete = false;
      utf8.remove_prefix(1);
    } else {
      result.bytes.append(utf8.substr(0, length));
      utf8.remove_prefix(length);
    }
  }
  return result;
}

#ifdef _WIN32
// Windows: the ANSI code page, with "?" for what it lacks.
EncodedText InSystemCodePage(std::string_view utf8) {
  EncodedText result = WellFormedUtf8(utf8);
  if (result.bytes.empty()) return result;
  const int wideLength = MultiByteToWideChar(CP_UTF8, 0, result.bytes.data(),
                                             static_cast<int>(result.bytes.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, result.bytes.data(), static_cast<int>(result.bytes.size()),
                      wide.data(), wideLength);
  BOOL usedDefault = FALSE;
  const int length =
      WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, "?", &usedDefault);
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, bytes.data(), length, "?", &usedDefault);
  result.bytes = std::move(bytes);
  result.complete = result.complete && !usedDefault;
  return result;
}
#endif

}  // namespace

std::size_t Utf8SequenceLength(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length;
  unsigned char low = 0x80, high = 0xBF;  // the allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

ScriptEncoding DetectEncodingOfBytes(std::string_view firstBytes) {
  std::string_view sample = firstBytes.substr(0, 4);
  if (const std::size_t lineFeed = sample.find('\n'); lineFeed != std::string_view::npos) {
    sample = sample.substr(0, lineFeed + 1);
  }
  for (const Mark& mark : kMarks) {
    if (sample.starts_with(mark.bytes)) return mark.encoding;
  }
  return ScriptEncoding::SystemCodePage;
}

ScriptEncoding DetectEncoding(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  char sample[4];
  file.read(sample, sizeof sample);
  return DetectEncodingOfBytes(std::string_view(sample, static_cast<std::size_t>(file.gcount())));
}

EncodedText EncodeTypedText(std::string_view utf8, ScriptEncoding encoding) {
#ifdef _WIN32
  if (encoding != ScriptEncoding::Utf8) return InSystemCodePage(utf8);
#else
  (void)encoding;
#endif
  return WellFormedUtf8(utf8);
}

}  // namespace nosk::script
