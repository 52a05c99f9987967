// A script in UTF-8 with one kind of line end: decoded from the encoding its bytes are in, and
// nothing else about it changed.
#pragma once

#include <string>
#include <string_view>

#include "engine/runrequest.h"
#include "engine/scriptdiff.h"
#include "script/message.h"
#include "script/outcome.h"

namespace nosk::engine {

// What converting one script gives.
struct Conversion {
  std::string content;    // the new bytes
  std::string decoded;    // the old text in UTF-8, without a mark, with its own line ends
  std::string encoding;   // what the old bytes were: "UTF-8", "UTF-16LE", "Windows-1251"
  bool marked = false;    // they began with its mark
  bool detected = false;  // the source is a code page guessed from the bytes
  // The source is UTF-16 or UTF-32, whose every line changes bytes; otherwise the old bytes
  // cut at LF give the same lines as the decoded text.
  bool wide = false;

  // What the old bytes were, in words: "UTF-8", "UTF-16LE with mark", "Windows-1251".
  script::Message Source() const;
};

// Converts a script's bytes as the request says. The source: a UTF-8 mark, or bytes that are
// valid UTF-8, are UTF-8; a UTF-16 or UTF-32 mark is that encoding; anything else is in the
// request's source encoding, or in the code page guessed from the bytes when that is empty. Fails,
// with the line and the bytes, where the bytes are not valid in their encoding; and where the text
// would not convert back to the very same bytes.
script::Outcome ConvertScript(std::string_view bytes, const ConvertRequest& request,
                              Conversion& conversion);

// The old text as a preview shows it: decoded, with the UTF-8 mark it began with, if any.
std::string ShownOldText(const Conversion& conversion);

// Tells `observer` each line whose bytes the conversion of `oldBytes` changes: the old line as
// ShownOldText has it, and the new one.
void TellConvertedLines(std::string_view oldBytes, const Conversion& conversion,
                        ChangeObserver& observer);

}  // namespace nosk::engine
