#include "engine/codepages.h"

#include <iconv.h>

#include <array>
#include <utility>

namespace nosk::engine {
namespace {

using script::MessageId;

constexpr std::array kCodePages = {
    CodePage{"CP1250", "Windows-1250", MessageId::WritingCentralEuropean},
    CodePage{"CP1251", "Windows-1251", MessageId::WritingCyrillic},
    CodePage{"CP1252", "Windows-1252", MessageId::WritingWesternEuropean},
    CodePage{"CP1253", "Windows-1253", MessageId::WritingGreek},
    CodePage{"CP1254", "Windows-1254", MessageId::WritingTurkish},
    CodePage{"CP1255", "Windows-1255", MessageId::WritingHebrew},
    CodePage{"CP1256", "Windows-1256", MessageId::WritingArabic},
    CodePage{"CP1257", "Windows-1257", MessageId::WritingBaltic},
    CodePage{"CP1258", "Windows-1258", MessageId::WritingVietnamese},
    CodePage{"CP874", "Windows-874", MessageId::WritingThai},
    CodePage{"KOI8-R", "KOI8-R", MessageId::WritingRussian},
    CodePage{"KOI8-U", "KOI8-U", MessageId::WritingUkrainian},
    CodePage{"CP932", "Shift-JIS", MessageId::WritingJapanese},
    CodePage{"EUC-JP", "EUC-JP", MessageId::WritingJapanese},
    CodePage{"GB18030", "GB18030", MessageId::WritingSimplifiedChinese},
    CodePage{"CP950", "Big5", MessageId::WritingTraditionalChinese},
    CodePage{"CP949", "EUC-KR", MessageId::WritingKorean},
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

bool IconvKnows(const std::string& name) {
  if (name.empty()) return false;
  const iconv_t descriptor = iconv_open("UTF-8", name.c_str());
  if (descriptor == reinterpret_cast<iconv_t>(-1)) return false;
  iconv_close(descriptor);
  return true;
}

}  // namespace

std::span<const CodePage> LegacyCodePages() { return kCodePages; }

std::string CodePageName(std::string_view name) {
  const std::string normalized = NormalizedCodePageName(name);
  if (normalized.empty()) return {};
  for (const CodePage& page : kCodePages) {
    if (NormalizedCodePageName(page.name) == normalized ||
        NormalizedCodePageName(page.label) == normalized) {
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

std::string NormalizedCodePageName(std::string_view name) {
  std::string normalized;
  for (const char c : name) {
    if (c == '-' || c == '_' || c == ' ') continue;
    normalized.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
  }
  return normalized;
}

}  // namespace nosk::engine
