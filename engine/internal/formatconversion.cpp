#include "engine/internal/formatconversion.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>

#include "engine/codepages.h"
#include "engine/internal/charset.h"
#include "script/ascii.h"
#include "script/encoding.h"
#include "script/scriptio.h"

namespace nosk::engine {
namespace {

using script::MessageId;

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Whether the decoded text, encoded into `from` again, is the very same bytes.
script::Outcome CheckRoundTrip(std::string_view bytes, std::string_view decoded,
                               const std::string& from, const script::Message& label, bool wide) {
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
  if (wide) {
    return script::Outcome::Failure(
        script::Message(MessageId::NoRoundTrip, {label, HexBytes(bytes, at)}));
  }
  return script::Outcome::Failure(script::Message(
      MessageId::NoRoundTripOnLine, {LineNumberOf(bytes, at), label, HexBytes(bytes, at)}));
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

script::Message Conversion::Source() const {
  return marked ? script::Message(MessageId::WithMark, {encoding})
                : script::Message::Verbatim(encoding);
}

script::Outcome ConvertScript(std::string_view bytes, const ConvertRequest& request,
                              Conversion& conversion) {
  conversion = {};
  std::string_view body = bytes;
  std::string from;  // iconv's name; empty for UTF-8
  for (const Mark& mark : kWideMarks) {
    if (bytes.starts_with(mark.bytes)) {
      from = mark.encoding;
      conversion.encoding = from;
      conversion.marked = true;
      conversion.wide = true;
      body.remove_prefix(mark.bytes.size());
      break;
    }
  }
  if (!conversion.wide && !bytes.starts_with(kUtf8Mark)) {
    if (const char* unmarked = UnmarkedUtf16(bytes)) {
      from = unmarked;
      conversion.encoding = from;
      conversion.wide = true;
    }
  }
  if (!conversion.wide) {
    const bool marked = bytes.starts_with(kUtf8Mark);
    if (marked) body.remove_prefix(kUtf8Mark.size());
    const std::size_t invalid = FirstInvalidUtf8(body);
    if (marked && invalid != std::string_view::npos) {
      return script::Outcome::Failure(script::Message(
          MessageId::InvalidUtf8AfterMark, {LineNumberOf(body, invalid), HexBytes(body, invalid)}));
    }
    if (invalid == std::string_view::npos) {
      conversion.encoding = "UTF-8";
      conversion.marked = marked;
      conversion.decoded = body;
    } else {
      from = request.sourceEncoding;
      if (from.empty()) {
        from = DetectedCodePage(body);
        conversion.detected = true;
        if (from.empty()) {
          return script::Outcome::Failure(script::Message(MessageId::EncodingNotDetected));
        }
      }
      conversion.encoding = CodePageLabel(from);
    }
  }
  if (!from.empty()) {
    if (script::Outcome decoded = Decode(body, from, conversion.Source(), conversion.decoded,
                                         {MessageId::InvalidBytes, MessageId::EndsInsideCharacter});
        !decoded) {
      return decoded;
    }
    if (script::Outcome same =
            CheckRoundTrip(body, conversion.decoded, from, conversion.Source(), conversion.wide);
        !same) {
      return same;
    }
  }
  if (request.target == TargetEncoding::Utf8WithMark) conversion.content = kUtf8Mark;
  conversion.content += WithLineEnds(conversion.decoded, request.lineEnds);
  // A script no run would then read again is not written.
  if (static_cast<std::int64_t>(conversion.content.size()) > script::kLargestScriptSize) {
    conversion.content.clear();
    return script::Outcome::Failure(script::Message(MessageId::ConvertedTooLarge));
  }
  return script::Outcome::Success();
}

std::string ShownOldText(const Conversion& conversion) {
  const bool utf8Mark = conversion.marked && conversion.encoding == "UTF-8";
  return (utf8Mark ? std::string(kUtf8Mark) : std::string()) + conversion.decoded;
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
