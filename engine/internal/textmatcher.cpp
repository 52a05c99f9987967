#include "engine/internal/textmatcher.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <algorithm>
#include <cctype>

#include "script/bytescan.h"

namespace nosk::engine {
namespace {

using script::FindBytes;
using script::Message;
using script::MessageId;

std::string ErrorText(int code) {
  PCRE2_UCHAR buffer[256];
  const int length = pcre2_get_error_message(code, buffer, sizeof buffer);
  return length < 0
             ? "error " + std::to_string(code)
             : std::string(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(length));
}

// A plain text as a pattern that matches exactly it: every ASCII character that is not a letter
// or a digit escaped (an escaped one always stands for itself), the others as they are.
std::string Escaped(std::string_view text) {
  std::string pattern;
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x80 && !std::isalnum(u)) pattern.push_back('\\');
    pattern.push_back(c);
  }
  return pattern;
}

// Why a pattern's REPLACEMENT names a group the pattern does not have, or holds a $ that names
// none: nothing when every $ is $$, $N, ${N}, $NAME or ${NAME} of a group it has.
std::optional<Message> ReplacementProblem(const pcre2_code* code, std::string_view replacement) {
  std::uint32_t groups = 0;
  pcre2_pattern_info(code, PCRE2_INFO_CAPTURECOUNT, &groups);
  const auto isNameCharacter = [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
  };
  for (std::size_t i = 0; i < replacement.size(); ++i) {
    if (replacement[i] != '$') continue;
    std::size_t end = i + 1;
    std::string_view name;
    if (end < replacement.size() && replacement[end] == '$') {
      i = end;
      continue;
    }
    if (end < replacement.size() && replacement[end] == '{') {
      const std::size_t close = replacement.find('}', end);
      if (close == std::string_view::npos) return Message(MessageId::ReplacementDollar, {i});
      name = replacement.substr(end + 1, close - end - 1);
      end = close + 1;
    } else {
      while (end < replacement.size() && isNameCharacter(replacement[end])) ++end;
      name = replacement.substr(i + 1, end - i - 1);
    }
    if (name.empty()) return Message(MessageId::ReplacementDollar, {i});
    const bool number = std::all_of(name.begin(), name.end(), [](char c) {
      return std::isdigit(static_cast<unsigned char>(c));
    });
    const std::string text(name);
    if (number ? std::stoul(text) > groups
               : pcre2_substring_number_from_name(code,
                                                  reinterpret_cast<PCRE2_SPTR>(text.c_str())) < 0) {
      return Message(MessageId::ReplacementNoGroup,
                     {"$" + std::string(replacement.substr(i + 1, end - i - 1))});
    }
    i = end - 1;
  }
  return std::nullopt;
}

}  // namespace

struct TextMatcher::Compiled {
  pcre2_code* code = nullptr;
  pcre2_match_data* match = nullptr;
  std::string replacement;
  bool literalReplacement = false;
  std::string literal;  // FIND, when it is compared as it is
  ~Compiled() {
    pcre2_match_data_free(match);
    pcre2_code_free(code);
  }
};

TextMatcher::TextMatcher(std::unique_ptr<Compiled> compiled) : compiled_(std::move(compiled)) {}
TextMatcher::~TextMatcher() = default;

std::unique_ptr<TextMatcher> TextMatcher::Make(const TextRequest& request, Message& why) {
  if (request.find.empty()) {
    why = Message(MessageId::NothingToFind);
    return nullptr;
  }
  // Without a pattern or an option the text itself is the pattern, compiled literally.
  const bool literal = !request.pattern && !request.ignoreCase && !request.wholeWords;
  std::string pattern = request.pattern ? request.find
                        : literal       ? request.find
                                        : Escaped(request.find);
  // Whole words: no word character (Unicode's) just before the match, nor just after it.
  if (request.wholeWords) pattern = "(?<!\\w)(?:" + pattern + ")(?!\\w)";
  std::uint32_t options = PCRE2_UTF | PCRE2_UCP;
  if (literal) options = PCRE2_UTF | PCRE2_LITERAL;
  if (request.ignoreCase) options |= PCRE2_CASELESS;
  int error = 0;
  PCRE2_SIZE offset = 0;
  auto compiled = std::make_unique<Compiled>();
  compiled->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                                 options, &error, &offset, nullptr);
  if (compiled->code == nullptr) {
    why = Message(MessageId::PatternInvalid, {static_cast<long long>(offset), ErrorText(error)});
    return nullptr;
  }
  std::uint32_t shortest = 0;
  pcre2_pattern_info(compiled->code, PCRE2_INFO_MINLENGTH, &shortest);
  if (shortest == 0) {
    why = Message(MessageId::PatternMatchesEmpty);
    return nullptr;
  }
  if (request.pattern && request.with) {
    if (std::optional<Message> problem = ReplacementProblem(compiled->code, *request.with)) {
      why = std::move(*problem);
      return nullptr;
    }
  }
  pcre2_jit_compile(compiled->code, PCRE2_JIT_COMPLETE);
  compiled->match = pcre2_match_data_create_from_pattern(compiled->code, nullptr);
  compiled->replacement = request.with.value_or(std::string());
  compiled->literalReplacement = !request.pattern;
  if (literal) compiled->literal = request.find;
  return std::unique_ptr<TextMatcher>(new TextMatcher(std::move(compiled)));
}

std::string_view TextMatcher::Literal() const { return compiled_->literal; }

std::int32_t TextMatcher::Count(std::string_view text) {
  std::int32_t count = 0;
  // A plain text is looked for as bytes: UTF-8 holds no character inside another.
  if (const std::string_view literal = compiled_->literal; !literal.empty()) {
    for (std::size_t at = FindBytes(text, literal, 0); at != std::string_view::npos;
         at = FindBytes(text, literal, at + literal.size())) {
      ++count;
    }
    return count;
  }
  PCRE2_SIZE start = 0;
  const auto* subject = reinterpret_cast<PCRE2_SPTR>(text.data());
  while (start <= text.size() && pcre2_match(compiled_->code, subject, text.size(), start, 0,
                                             compiled_->match, nullptr) > 0) {
    ++count;
    start = pcre2_get_ovector_pointer(compiled_->match)[1];  // never empty: the check refused it
  }
  return count;
}

std::int32_t TextMatcher::Replace(std::string_view text, std::string& out, Message& why) {
  if (const std::string_view literal = compiled_->literal; !literal.empty()) {
    std::int32_t count = 0;
    std::size_t from = 0;
    for (std::size_t at = FindBytes(text, literal, 0); at != std::string_view::npos;
         at = FindBytes(text, literal, from)) {
      out.append(text.substr(from, at - from));
      out.append(compiled_->replacement);
      from = at + literal.size();
      ++count;
    }
    out.append(text.substr(from));
    return count;
  }
  std::uint32_t options = PCRE2_SUBSTITUTE_GLOBAL | PCRE2_SUBSTITUTE_OVERFLOW_LENGTH;
  if (compiled_->literalReplacement) options |= PCRE2_SUBSTITUTE_LITERAL;
  const std::size_t base = out.size();
  PCRE2_SIZE length = text.size() + compiled_->replacement.size() + 64;
  for (int attempt = 0; attempt < 2; ++attempt) {
    out.resize(base + length);
    PCRE2_SIZE written = length;
    const int replaced = pcre2_substitute(
        compiled_->code, reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(), 0, options,
        compiled_->match, nullptr, reinterpret_cast<PCRE2_SPTR>(compiled_->replacement.data()),
        compiled_->replacement.size(), reinterpret_cast<PCRE2_UCHAR*>(out.data() + base), &written);
    if (replaced == PCRE2_ERROR_NOMEMORY) {
      length = written;  // what it needs
      continue;
    }
    if (replaced < 0) {
      out.resize(base);
      why = Message(MessageId::ReplacementInvalid, {ErrorText(replaced)});
      return -1;
    }
    out.resize(base + written);
    return replaced;
  }
  out.resize(base);
  why = Message(MessageId::ReplacementInvalid, {ErrorText(PCRE2_ERROR_NOMEMORY)});
  return -1;
}

}  // namespace nosk::engine
