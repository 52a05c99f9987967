// The legacy code pages scripts are found in, by name.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "script/message.h"

namespace nosk::engine {

// A legacy code page scripts are found in.
struct CodePage {
  std::string_view name;      // as iconv names it
  std::string_view label;     // as shown: "Windows-1251"
  script::MessageId writing;  // the languages it is for: "Cyrillic"
};

// The code pages offered, in the order offered.
std::span<const CodePage> LegacyCodePages();
// The iconv name of an encoding named by its label, its iconv name or a usual alias, in any case
// and with or without "-" and "_" ("windows-1251", "cp1251", "shift_jis", "big5"); any other
// name iconv knows stands for itself. Empty when iconv knows no such encoding.
std::string CodePageName(std::string_view name);
// The label of a code page's iconv name; the name itself when it is not one offered.
std::string CodePageLabel(std::string_view name);
// A name as names are compared: upper case, without "-", "_" and spaces ("ISO88591").
std::string NormalizedCodePageName(std::string_view name);

}  // namespace nosk::engine
