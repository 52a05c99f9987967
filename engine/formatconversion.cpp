#include "engine/formatconversion.h"

#include <iconv.h>
#include <uchardet/uchardet.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

#include "script/encoding.h"

namespace nosk::engine {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

constexpr std::array kCodePages = {
    CodePage{"CP1250", "Windows-1250", "Central European"},
    CodePage{"CP1251", "Windows-1251", "Cyrillic"},
    CodePage{"CP1252", "Windows-1252", "Western European"},
    CodePage{"CP1253", "Windows-1253", "Greek"},
    CodePage{"CP1254", "Windows-1254", "Turkish"},
    CodePage{"CP1255", "Windows-1255", "Hebrew"},
    CodePage{"CP1256", "Windows-1256", "Arabic"},
    CodePage{"CP1257", "Windows-1257", "Baltic"},
    CodePage{"CP1258", "Windows-1258", "Vietnamese"},
    CodePage{"CP874", "Windows-874", "Thai"},
    CodePage{"KOI8-R", "KOI8-R", "Russian"},
    CodePage{"KOI8-U", "KOI8-U", "Ukrainian"},
    CodePage{"CP932", "Shift-JIS", "Japanese"},
    CodePage{"EUC-JP", "EUC-JP", "Japanese"},
    CodePage{"GB18030", "GB18030", "Chinese (Simplified)"},
    CodePage{"CP950", "Big5", "Chinese (Traditional)"},
    CodePage{"CP949", "EUC-KR", "Korean"},
};

// Other names of the code pages offered. Shift-JIS files from Windows are CP932, which reads
// 0x5C as the backslash the override tags need (strict Shift_JIS reads it as a yen sign).
constexpr std::array<std::pair<std::string_view, std::string_view>, 10> kAliases = {{
    {"SHIFTJIS", "CP932"},
    {"SJIS", "CP932"},
    {"WINDOWS31J", "CP932"},
    {"BIG5", "CP950"},
    {"GBK", "GB18030"},
    {"GB2312", "GB18030"},
    {"EUCCN", "GB18030"},
    {"UHC", "CP949"},
    {"TIS620", "CP874"},
    {"WINDOWS874", "CP874"},
}};

// Upper case, without "-", "_" and spaces: how names are compared.
std::string Normalized(std::string_view name) {
  std::string normalized;
  for (const char c : name) {
    if (c == '-' || c == '_' || c == ' ') continue;
    normalized.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
  }
  return normalized;
}

struct IconvCloser {
  void operator()(iconv_t descriptor) const { iconv_close(descriptor); }
};
using Converter = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

Converter OpenConverter(const std::string& to, const std::string& from) {
  const iconv_t descriptor = iconv_open(to.c_str(), from.c_str());
  return Converter(descriptor == reinterpret_cast<iconv_t>(-1) ? nullptr : descriptor);
}

bool IconvKnows(const std::string& name) {
  return !name.empty() && OpenConverter("UTF-8", name) != nullptr;
}

// Up to four bytes from `at`, in hexadecimal: "98 41".
std::string HexBytes(std::string_view bytes, std::size_t at) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  for (std::size_t i = at; i < bytes.size() && i < at + 4; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (!hex.empty()) hex.push_back(' ');
    hex.push_back(kDigits[byte >> 4]);
    hex.push_back(kDigits[byte & 0xF]);
  }
  return hex;
}

std::string LineNumberOf(std::string_view text, std::size_t end) {
  return std::to_string(
      std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(end), '\n') + 1);
}

// Where the first byte that is not part of well-formed UTF-8 is; npos when there is none.
std::size_t FirstInvalidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    const std::size_t length = script::Utf8SequenceLength(text.substr(i));
    if (length == 0) return i;
    i += length;
  }
  return std::string_view::npos;
}

// Decodes `bytes` from `from` into UTF-8, failing at the first byte sequence that is not valid
// there, or at a character cut by the end.
script::Outcome Decode(std::string_view bytes, const std::string& from, const std::string& label,
                       std::string& decoded) {
  const Converter converter = OpenConverter("UTF-8", from);
  if (converter == nullptr) {
    return script::Outcome::Failure("the encoding " + label + " is not known to this system");
  }
  decoded.assign(bytes.size() * 2 + 16, '\0');
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  std::size_t written = 0;
  while (inLeft > 0) {
    char* out = decoded.data() + written;
    std::size_t outLeft = decoded.size() - written;
    const std::size_t converted = iconv(converter.get(), &in, &inLeft, &out, &outLeft);
    written = decoded.size() - outLeft;
    if (converted != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {
      decoded.resize(decoded.size() * 2);
      continue;
    }
    const std::size_t at = static_cast<std::size_t>(in - bytes.data());
    const std::string line = LineNumberOf(std::string_view(decoded.data(), written), written);
    decoded.clear();
    if (errno == EINVAL) {
      return script::Outcome::Failure("line " + line + ": the script ends inside a " + label +
                                      " character (bytes " + HexBytes(bytes, at) +
                                      "); it was not converted");
    }
    return script::Outcome::Failure("line " + line + ": the bytes " + HexBytes(bytes, at) +
                                    " are not " + label + " text; it was not converted");
  }
  decoded.resize(written);
  return script::Outcome::Success();
}

// Whether the decoded text, encoded into `from` again, is the very same bytes.
script::Outcome CheckRoundTrip(std::string_view bytes, std::string_view decoded,
                               const std::string& from, const std::string& label, bool wide) {
  const Converter converter = OpenConverter(from, "UTF-8");
  std::string again(bytes.size() + 16, '\0');
  char* in = const_cast<char*>(decoded.data());
  std::size_t inLeft = decoded.size();
  char* out = again.data();
  std::size_t outLeft = again.size();
  const bool converted =
      converter != nullptr &&
      iconv(converter.get(), &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1) &&
      iconv(converter.get(), nullptr, nullptr, &out, &outLeft) != static_cast<std::size_t>(-1);
  again.resize(again.size() - outLeft);
  if (converted && again == bytes) return script::Outcome::Success();
  const auto differs = std::mismatch(bytes.begin(), bytes.end(), again.begin(), again.end());
  const auto at = static_cast<std::size_t>(differs.first - bytes.begin());
  return script::Outcome::Failure(
      (wide ? std::string() : "line " + LineNumberOf(bytes, at) + ": ") + "the " + label +
      " bytes " + HexBytes(bytes, at) +
      " would not come back the same from UTF-8 (this system's converter reads them as a "
      "character it writes otherwise); it was not converted");
}

std::string WithLineEnds(std::string_view text, LineEnds mode) {
  if (mode == LineEnds::Keep) return std::string(text);
  std::string result;
  result.reserve(text.size() + text.size() / 32);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool crLf = c == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
    if (crLf || c == '\n') {
      result.append(mode == LineEnds::CrLf ? "\r\n" : "\n");
      if (crLf) ++i;
      continue;
    }
    // A CR alone ends no line, and stays.
    result.push_back(c);
  }
  return result;
}

// The code page uchardet takes the bytes to be in, as iconv names it; empty when it cannot tell.
std::string DetectedCodePage(std::string_view bytes) {
  const std::unique_ptr<std::remove_pointer_t<uchardet_t>, void (*)(uchardet_t)> detector(
      uchardet_new(), uchardet_delete);
  if (detector == nullptr ||
      uchardet_handle_data(detector.get(), bytes.data(), bytes.size()) != 0) {
    return {};
  }
  uchardet_data_end(detector.get());
  const std::string guess = uchardet_get_charset(detector.get());
  // Scripts are written on Windows: a Latin-1 guess is its Western code page.
  const std::string normalized = Normalized(guess);
  if (normalized == "ISO88591" || normalized == "ISO885915") return "CP1252";
  return CodePageName(guess);
}

struct Mark {
  std::string_view bytes;
  const char* encoding;
};

// UTF-32 LE before UTF-16 LE, whose mark it begins with.
constexpr Mark kWideMarks[] = {
    {std::string_view("\x00\x00\xFE\xFF", 4), "UTF-32BE"},
    {std::string_view("\xFF\xFE\x00\x00", 4), "UTF-32LE"},
    {"\xFE\xFF", "UTF-16BE"},
    {"\xFF\xFE", "UTF-16LE"},
};

}  // namespace

std::span<const CodePage> LegacyCodePages() { return kCodePages; }

std::string CodePageName(std::string_view name) {
  const std::string normalized = Normalized(name);
  if (normalized.empty()) return {};
  for (const CodePage& page : kCodePages) {
    if (Normalized(page.name) == normalized || Normalized(page.label) == normalized) {
      return std::string(page.name);
    }
  }
  for (const auto& [alias, page] : kAliases) {
    if (alias == normalized) return std::string(page);
  }
  const std::string asGiven(name);
  return IconvKnows(asGiven) ? asGiven : std::string();
}

std::string CodePageLabel(std::string_view name) {
  for (const CodePage& page : kCodePages) {
    if (page.name == name) return std::string(page.label);
  }
  return std::string(name);
}

script::Outcome ConvertScript(std::string_view bytes, const BatchSettings& settings,
                              Conversion& conversion) {
  conversion = {};
  std::string_view body = bytes;
  std::string from;  // iconv's name; empty for UTF-8
  for (const Mark& mark : kWideMarks) {
    if (bytes.starts_with(mark.bytes)) {
      from = mark.encoding;
      conversion.source = from + " with mark";
      conversion.wide = true;
      body.remove_prefix(mark.bytes.size());
      break;
    }
  }
  if (!conversion.wide) {
    const bool marked = bytes.starts_with(kUtf8Mark);
    if (marked) body.remove_prefix(kUtf8Mark.size());
    const std::size_t invalid = FirstInvalidUtf8(body);
    if (marked && invalid != std::string_view::npos) {
      return script::Outcome::Failure(
          "line " + LineNumberOf(body, invalid) + ": the bytes " + HexBytes(body, invalid) +
          " are not UTF-8 text, though the script begins with the UTF-8 mark; it was not "
          "converted");
    }
    if (invalid == std::string_view::npos) {
      conversion.source = marked ? "UTF-8 with mark" : "UTF-8";
      conversion.decoded = body;
    } else {
      from = settings.SourceEncoding;
      if (from.empty()) {
        from = DetectedCodePage(body);
        conversion.detected = true;
        if (from.empty()) {
          return script::Outcome::Failure(
              "its encoding could not be detected; choose the code page it is in");
        }
      }
      conversion.source = CodePageLabel(from);
    }
  }
  if (!from.empty()) {
    if (script::Outcome decoded = Decode(body, from, conversion.source, conversion.decoded);
        !decoded) {
      return decoded;
    }
    if (script::Outcome same =
            CheckRoundTrip(body, conversion.decoded, from, conversion.source, conversion.wide);
        !same) {
      return same;
    }
  }
  if (settings.TargetEncodingMode == TargetEncoding::Utf8WithMark) conversion.content = kUtf8Mark;
  conversion.content += WithLineEnds(conversion.decoded, settings.LineEndsMode);
  return script::Outcome::Success();
}

std::string ShownOldText(const Conversion& conversion) {
  return (conversion.source == "UTF-8 with mark" ? std::string(kUtf8Mark) : std::string()) +
         conversion.decoded;
}

void TellConvertedLines(std::string_view oldBytes, const Conversion& conversion,
                        ChangeObserver& observer) {
  // Line i of each text: up to and with its LF. The three have as many LFs: line ends change
  // only between CR LF and LF, and the old bytes hold an LF byte only where the text has an LF
  // (every code page offered is ASCII-compatible; a wide source changes every line anyway).
  const auto nextLine = [](std::string_view& text) {
    const std::size_t end = text.find('\n');
    const std::string_view line =
        text.substr(0, end == std::string_view::npos ? text.size() : end + 1);
    text.remove_prefix(line.size());
    return line;
  };
  const std::string shown = ShownOldText(conversion);
  std::string_view oldRest = oldBytes;
  std::string_view shownRest = shown;
  std::string_view newRest = conversion.content;
  for (std::int32_t i = 0; !newRest.empty() || !shownRest.empty(); ++i) {
    const std::string_view oldLine = nextLine(oldRest);
    const std::string_view shownLine = nextLine(shownRest);
    const std::string_view newLine = nextLine(newRest);
    if (conversion.wide || oldLine != newLine) observer.Changed(i, shownLine, newLine);
  }
}

}  // namespace nosk::engine
