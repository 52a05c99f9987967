#include "engine/internal/charset.h"

#include <uchardet/uchardet.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "engine/codepages.h"
#include "script/ascii.h"
#include "script/bytescan.h"
#include "script/encoding.h"

namespace nosk::engine {
namespace {

using script::Message;
using script::MessageId;

// A guess that reads as control characters or as characters iconv could not map is no text.
bool ReadsAsText(std::string_view utf8) {
  for (std::size_t i = 0; i + 1 < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    const auto next = static_cast<unsigned char>(utf8[i + 1]);
    if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) return false;  // U+0080 .. U+009F
    if (byte == 0xEF && next == 0xBF && i + 2 < utf8.size() &&
        static_cast<unsigned char>(utf8[i + 2]) == 0xBD) {
      return false;  // U+FFFD
    }
  }
  return true;
}

}  // namespace

Converter OpenConverter(const std::string& to, const std::string& from) {
  const iconv_t descriptor = iconv_open(to.c_str(), from.c_str());
  return Converter(descriptor == reinterpret_cast<iconv_t>(-1) ? nullptr : descriptor);
}

std::string HexBytes(std::string_view bytes, std::size_t at) {
  return script::HexText(bytes.substr(std::min(at, bytes.size()), 4), script::HexCase::Upper, ' ');
}

long long LineNumberOf(std::string_view text, std::size_t end) {
  return std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(end), '\n') + 1;
}

std::size_t FirstInvalidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    // The stretches of ASCII, most of a script, are passed over a block at a time; a run of
    // characters outside it is read on without a scan for each.
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      i = script::FirstNonAscii(text, i + 1);
      if (i == std::string_view::npos) break;
    }
    const std::size_t length = script::Utf8SequenceLength(text.substr(i));
    if (length == 0) return i;
    i += length;
  }
  return std::string_view::npos;
}

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
  const std::string normalized = NormalizedCodePageName(guess);
  if (normalized == "ISO88591" || normalized == "ISO885915") return "CP1252";
  return CodePageName(guess);
}

script::Outcome Decode(std::string_view bytes, const std::string& from, const Message& label,
                       std::string& decoded, const DecodeMessages& messages) {
  const Converter converter = OpenConverter("UTF-8", from);
  if (converter == nullptr) {
    return script::Outcome::Failure(Message(MessageId::EncodingUnknown, {label}));
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
    const long long line = LineNumberOf(std::string_view(decoded.data(), written), written);
    decoded.clear();
    if (errno == EINVAL) {
      return script::Outcome::Failure(Message(messages.cut, {line, label, HexBytes(bytes, at)}));
    }
    return script::Outcome::Failure(Message(messages.invalid, {line, HexBytes(bytes, at), label}));
  }
  decoded.resize(written);
  return script::Outcome::Success();
}

const char* UnmarkedUtf16(std::string_view bytes) {
  // The first 64 KB tell: a script's header alone is hundreds of ASCII characters.
  const std::string_view head = bytes.substr(0, 64 * 1024);
  const std::size_t pairs = head.size() / 2;
  // Without a NUL it is none (memchr passes over the bytes a block at a time).
  if (pairs < 2 || head.find('\0') == std::string_view::npos) return nullptr;
  std::size_t evenNuls = 0, oddNuls = 0;
  for (std::size_t i = 0; i + 1 < head.size(); i += 2) {
    evenNuls += head[i] == '\0' ? 1 : 0;
    oddNuls += head[i + 1] == '\0' ? 1 : 0;
  }
  // Most characters ASCII, so most pairs with a NUL on one side, and hardly any on the other.
  const auto most = [&](std::size_t nuls) { return nuls * 10 >= pairs * 3; };
  const auto hardly = [&](std::size_t nuls) { return nuls * 50 <= pairs; };
  if (most(oddNuls) && hardly(evenNuls)) return "UTF-16LE";
  if (most(evenNuls) && hardly(oddNuls)) return "UTF-16BE";
  return nullptr;
}

script::Outcome ResolveCharset(std::string_view bytes, const std::string& named,
                               ScriptCharset& charset) {
  charset = {};
  switch (script::DetectEncodingOfBytes(bytes.substr(0, 4))) {
    case script::ScriptEncoding::Utf8:
      return script::Outcome::Success();
    case script::ScriptEncoding::Utf16BigEndian:
    case script::ScriptEncoding::Utf16LittleEndian:
      return script::Outcome::Failure(Message(MessageId::Utf16Script));
    case script::ScriptEncoding::Utf32BigEndian:
      return script::Outcome::Failure(Message(MessageId::Utf32Script));
    case script::ScriptEncoding::SystemCodePage:
      break;
  }
  if (UnmarkedUtf16(bytes) != nullptr)
    return script::Outcome::Failure(Message(MessageId::Utf16Script));
  if (FirstInvalidUtf8(bytes) == std::string_view::npos) return script::Outcome::Success();
  charset.codePage = named;
  if (charset.codePage.empty()) {
    charset.codePage = DetectedCodePage(bytes);
    charset.guessed = true;
    // The bytes are not UTF-8, whatever a guess made from a few of them says.
    if (charset.codePage.empty() || NormalizedCodePageName(charset.codePage) == "UTF8") {
      return script::Outcome::Failure(Message(MessageId::EncodingNotDetected));
    }
  }
  charset.label = CodePageLabel(charset.codePage);
  std::string decoded;
  const Message label = Message::Verbatim(charset.label);
  if (charset.guessed) {
    if (!Decode(bytes, charset.codePage, label, decoded,
                {MessageId::NotInCodePage, MessageId::EndsInsideCodePageCharacter}) ||
        !ReadsAsText(decoded)) {
      return script::Outcome::Failure(Message(MessageId::GuessNotSure, {charset.label}));
    }
    return script::Outcome::Success();
  }
  return Decode(bytes, charset.codePage, label, decoded,
                {MessageId::NotInCodePage, MessageId::EndsInsideCodePageCharacter});
}

script::Outcome EncodeTyped(std::string_view utf8, const ScriptCharset& charset,
                            std::string& bytes) {
  if (charset.IsUtf8()) {
    bytes.assign(utf8);
    return script::Outcome::Success();
  }
  const Converter converter = OpenConverter(charset.codePage, "UTF-8");
  if (converter == nullptr) {
    return script::Outcome::Failure(
        Message(MessageId::EncodingUnknown, {Message::Verbatim(charset.label)}));
  }
  bytes.assign(utf8.size() * 4 + 16, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char* out = bytes.data();
  std::size_t outLeft = bytes.size();
  std::vector<std::string> missing;
  while (inLeft > 0) {
    if (iconv(converter.get(), &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1)) {
      break;
    }
    if (errno != EILSEQ && errno != EINVAL) break;
    // A character the code page has no code for: noted, and passed over.
    const std::size_t length =
        std::max<std::size_t>(script::Utf8SequenceLength(std::string_view(in, inLeft)), 1);
    const std::string character(in, std::min(length, inLeft));
    if (std::find(missing.begin(), missing.end(), character) == missing.end()) {
      missing.push_back(character);
    }
    in += std::min(length, inLeft);
    inLeft -= std::min(length, inLeft);
  }
  iconv(converter.get(), nullptr, nullptr, &out, &outLeft);
  bytes.resize(bytes.size() - outLeft);
  if (missing.empty()) return script::Outcome::Success();
  std::string shown;
  for (const std::string& character : missing) shown += (shown.empty() ? "" : " ") + character;
  return script::Outcome::Failure(Message(MessageId::NoCodeForCharacters, {charset.label, shown}));
}

Recoder::Recoder(const std::string& codePage)
    : toUtf8_(OpenConverter("UTF-8", codePage)), fromUtf8_(OpenConverter(codePage, "UTF-8")) {}

bool Recoder::Run(const Converter& converter, std::string_view from, std::string& to) {
  to.clear();
  if (converter == nullptr) return false;
  iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);  // a fresh start
  to.resize(from.size() * 4 + 16);  // more than any code page's text takes in UTF-8, or back
  char* in = const_cast<char*>(from.data());
  std::size_t inLeft = from.size();
  char* out = to.data();
  std::size_t outLeft = to.size();
  if (iconv(converter.get(), &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) ||
      iconv(converter.get(), nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1)) {
    return false;
  }
  to.resize(to.size() - outLeft);
  return true;
}

}  // namespace nosk::engine
