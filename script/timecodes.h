// Time codes of event lines and of the shift amount: H:MM:SS.CC in whole centiseconds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace nosk::script {

inline constexpr std::int32_t kCentisecondsPerHour = 360'000;
inline constexpr std::int32_t kCentisecondsPerMinute = 6'000;
inline constexpr std::int32_t kCentisecondsPerSecond = 100;
// 9:59:59.99, the largest time the one-digit-hour form can show.
inline constexpr std::int32_t kLatestTime = 3'599'999;

struct ParsedTime {
  // For an invalid text: the sum of the components accepted before the walk failed.
  std::int32_t value = 0;
  bool valid = false;
  bool operator==(const ParsedTime&) const = default;
};

// The strict reading of H:MM:SS.CC (one hour digit, two digits for the rest).
ParsedTime ParseTime(std::string_view text);
// ParseTime without its fast path for the canonical ten characters, which nearly every time of a
// script has: the plain walk over the components that the fast path must agree with (the fuzz
// target holds them to it).
ParsedTime ParseTimeByComponents(std::string_view text);
bool IsValidTime(std::string_view text);
// The value ParseTime gives, whether or not the text was valid.
std::int32_t TimeValue(std::string_view text);
// The canonical ten-character text, the value clamped to 0..kLatestTime first.
std::string FormatTime(std::int64_t value);
// Appends FormatTime(value) to `out`.
void AppendFormattedTime(std::string& out, std::int64_t value);
// FormatTime(TimeValue(text) + offset); an invalid text contributes its partial sum.
std::string AddTimeOffset(std::string_view text, std::int32_t offset);
// Decimal text of a number, as "%i" writes it.
std::string IntToText(std::int32_t n);

}  // namespace nosk::script
