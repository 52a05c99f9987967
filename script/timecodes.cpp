#include "script/timecodes.h"

#include <algorithm>

#include "script/ascii.h"

namespace nosk::script {
namespace {

// The leading integer of a run of digits and minus signs: an optional "-", then the digits up to
// the first other character (0 when there are none). Saturates far above every accepted value,
// so a long run of digits cannot overflow.
std::int64_t LeadingInteger(std::string_view run) {
  std::size_t i = 0;
  const bool negative = !run.empty() && run[0] == '-';
  if (negative) ++i;
  std::int64_t value = 0;
  for (; i < run.size() && IsDigit(run[i]); ++i) {
    value = std::min<std::int64_t>(value * 10 + (run[i] - '0'), 1'000'000'000);
  }
  return negative ? -value : value;
}

struct ComponentRule {
  char closer;
  std::int64_t largest;
  std::size_t length;
  std::int32_t weight;
};

// Hours, minutes and seconds; the centiseconds are what is left at the end of the text.
constexpr ComponentRule kComponents[] = {
    {':', 9, 1, kCentisecondsPerHour},
    {':', 59, 2, kCentisecondsPerMinute},
    {'.', 59, 2, kCentisecondsPerSecond},
};

// The canonical form D:DD:DD.DD, which nearly every time in a script has, read directly. The
// answer is the one the walk below gives: a minute or second above 59 fails there, after the
// components before it were added.
bool ParseCanonicalTime(std::string_view text, ParsedTime& parsed) {
  if (text.size() != 10) return false;
  const char* t = text.data();
  const auto digit = [](char c) { return static_cast<unsigned>(c - '0'); };
  if (t[1] != ':' || t[4] != ':' || t[7] != '.' || digit(t[0]) > 9 || digit(t[2]) > 9 ||
      digit(t[3]) > 9 || digit(t[5]) > 9 || digit(t[6]) > 9 || digit(t[8]) > 9 || digit(t[9]) > 9) {
    return false;
  }
  const auto hours = static_cast<std::int32_t>(digit(t[0]));
  const auto minutes = static_cast<std::int32_t>(digit(t[2]) * 10 + digit(t[3]));
  const auto seconds = static_cast<std::int32_t>(digit(t[5]) * 10 + digit(t[6]));
  const auto centiseconds = static_cast<std::int32_t>(digit(t[8]) * 10 + digit(t[9]));
  if (minutes > 59) {
    parsed = {hours * kCentisecondsPerHour, false};
  } else if (seconds > 59) {
    parsed = {hours * kCentisecondsPerHour + minutes * kCentisecondsPerMinute, false};
  } else {
    parsed = {hours * kCentisecondsPerHour + minutes * kCentisecondsPerMinute +
                  seconds * kCentisecondsPerSecond + centiseconds,
              true};
  }
  return true;
}

}  // namespace

ParsedTime ParseTime(std::string_view text) {
  if (ParsedTime canonical; ParseCanonicalTime(text, canonical)) return canonical;
  return ParseTimeByComponents(text);
}

ParsedTime ParseTimeByComponents(std::string_view text) {
  if (text.empty()) return {0, false};
  std::int32_t value = 0;
  std::size_t component = 0;
  std::size_t runStart = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c) || c == '-') continue;
    if (c != ':' && c != '.') return {value, false};
    if (component >= std::size(kComponents)) return {value, false};
    const ComponentRule& rule = kComponents[component];
    const std::string_view run = text.substr(runStart, i - runStart);
    const std::int64_t v = LeadingInteger(run);
    if (c != rule.closer || v < 0 || v > rule.largest || run.size() != rule.length) {
      return {value, false};
    }
    value += static_cast<std::int32_t>(v) * rule.weight;
    ++component;
    runStart = i + 1;
  }
  const std::string_view centiseconds = text.substr(runStart);
  const std::int64_t v = LeadingInteger(centiseconds);
  if (component != std::size(kComponents) || v < 0 || v > 99 || centiseconds.size() != 2) {
    return {value, false};
  }
  return {value + static_cast<std::int32_t>(v), true};
}

bool IsValidTime(std::string_view text) { return ParseTime(text).valid; }

std::int32_t TimeValue(std::string_view text) { return ParseTime(text).value; }

void AppendFormattedTime(std::string& out, std::int64_t value) {
  const auto v = static_cast<std::int32_t>(std::clamp<std::int64_t>(value, 0, kLatestTime));
  const int hours = v / kCentisecondsPerHour;
  const int minutes = v / kCentisecondsPerMinute % 60;
  const int seconds = v / kCentisecondsPerSecond % 60;
  const int centiseconds = v % 100;
  const char text[10] = {
      static_cast<char>('0' + hours),
      ':',
      static_cast<char>('0' + minutes / 10),
      static_cast<char>('0' + minutes % 10),
      ':',
      static_cast<char>('0' + seconds / 10),
      static_cast<char>('0' + seconds % 10),
      '.',
      static_cast<char>('0' + centiseconds / 10),
      static_cast<char>('0' + centiseconds % 10),
  };
  out.append(text, sizeof text);
}

std::string FormatTime(std::int64_t value) {
  std::string text;
  AppendFormattedTime(text, value);
  return text;
}

std::string AddTimeOffset(std::string_view text, std::int32_t offset) {
  return FormatTime(std::int64_t{TimeValue(text)} + offset);
}

std::string IntToText(std::int32_t n) { return std::to_string(n); }

}  // namespace nosk::script
