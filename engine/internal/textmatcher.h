// FIND as PCRE2 compiles it (a plain text, a pattern, either with its case and word options), and
// every match in a text counted or replaced. Texts are UTF-8.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/runrequest.h"
#include "script/message.h"

namespace nosk::engine {

class TextMatcher {
 public:
  // The matcher of the request's FIND and REPLACEMENT; nothing, with why in `why`, when FIND is
  // empty, is no valid pattern, or could match an empty text.
  static std::unique_ptr<TextMatcher> Make(const TextRequest& request, script::Message& why);
  ~TextMatcher();

  // FIND itself when it is compared as it is (no pattern, no option): a text holding no copy of it
  // holds no match. Empty otherwise.
  std::string_view Literal() const;

  // The number of matches in `text`, none overlapping, scanned forward.
  std::int32_t Count(std::string_view text);
  // Appends `text` with every match replaced to `out`; the number of matches replaced, or -1
  // when a replacement could not be made (a group the pattern does not have: `why` says).
  std::int32_t Replace(std::string_view text, std::string& out, script::Message& why);

 private:
  struct Compiled;
  explicit TextMatcher(std::unique_ptr<Compiled> compiled);
  std::unique_ptr<Compiled> compiled_;
};

}  // namespace nosk::engine
