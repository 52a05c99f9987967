// A script in UTF-8 with one kind of line end: decoded from the encoding its bytes are in, and
// nothing else about it changed.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "engine/batchsettings.h"
#include "engine/rewriter.h"
#include "script/outcome.h"

namespace nosk::engine {

// A legacy code page scripts are found in.
struct CodePage {
  std::string_view name;     // as iconv names it
  std::string_view label;    // as shown: "Windows-1251"
  std::string_view writing;  // the languages it is for: "Cyrillic"
};

// The code pages offered, in the order offered.
std::span<const CodePage> LegacyCodePages();
// The iconv name of an encoding named by its label, its iconv name or a usual alias, in any case
// and with or without "-" and "_" ("windows-1251", "cp1251", "shift_jis", "big5"); any other
// name iconv knows stands for itself. Empty when iconv knows no such encoding.
std::string CodePageName(std::string_view name);
// The label of a code page's iconv name; the name itself when it is not one offered.
std::string CodePageLabel(std::string_view name);

// What converting one script gives.
struct Conversion {
  std::string content;    // the new bytes
  std::string decoded;    // the old text in UTF-8, without a mark, with its own line ends
  std::string source;     // what the old bytes were: "UTF-8", "UTF-16LE with mark", "Windows-1251"
  bool detected = false;  // the source is a code page guessed from the bytes
  // The source is UTF-16 or UTF-32, whose every line changes bytes; otherwise the old bytes
  // cut at LF give the same lines as the decoded text.
  bool wide = false;
};

// Converts a script's bytes as the settings say (SourceEncoding, TargetEncodingMode,
// LineEndsMode). The source: a UTF-8 mark, or bytes that are valid UTF-8, are UTF-8; a UTF-16 or
// UTF-32 mark is that encoding; anything else is in SourceEncoding, or in the code page guessed
// from the bytes when that is empty. Fails, with the line and the bytes, where the bytes are not
// valid in their encoding; and where the text would not convert back to the very same bytes.
script::Outcome ConvertScript(std::string_view bytes, const BatchSettings& settings,
                              Conversion& conversion);

// The old text as a preview shows it: decoded, with the UTF-8 mark it began with, if any.
std::string ShownOldText(const Conversion& conversion);

// Tells `observer` each line whose bytes the conversion of `oldBytes` changes: the old line as
// ShownOldText has it, and the new one.
void TellConvertedLines(std::string_view oldBytes, const Conversion& conversion,
                        ChangeObserver& observer);

}  // namespace nosk::engine
