#include "script/shiftamount.h"

#include <algorithm>

#include "script/ascii.h"
#include "script/timecodes.h"

namespace nosk::script {

const char* const kAmountForms =
    "H:MM:SS.CC (0:01:30.50), M:SS (1:30), seconds (1.5, 1.5s, 90s), milliseconds (500ms), "
    "a combination (1m30s, 1h2m3.5s) or frames with a frame rate (24f); a leading - moves back";

namespace {

constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;
constexpr std::int64_t kNanosecondsPerCentisecond = 10'000'000;
// Far beyond the largest amount, and small enough that nothing below can overflow: a million
// hours is 3.6e18 nanoseconds.
constexpr std::int64_t kLargestWhole = 1'000'000;
constexpr int kFractionDigits = 9;  // nanoseconds; digits beyond cannot change the rounding

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

// A decimal number at the start of `text` ("90", "1.5", ",5"), consumed from it: its whole
// part, and its fraction in units of 10^-9. Nothing when `text` does not start with one or the
// whole part is beyond kLargestWhole.
struct Decimal {
  std::int64_t whole = 0;
  int wholeDigits = 0;
  std::int64_t billionths = 0;
  bool hasFraction = false;
};

std::optional<Decimal> TakeDecimal(std::string_view& text) {
  Decimal number;
  std::size_t i = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    number.whole = number.whole * 10 + (text[i] - '0');
    if (number.whole > kLargestWhole) return std::nullopt;
  }
  number.wholeDigits = static_cast<int>(i);
  const bool hasWhole = i > 0;
  if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
    std::size_t digits = 0;
    std::int64_t scale = kNanosecondsPerSecond;
    for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
      if (digits < kFractionDigits) {
        scale /= 10;
        number.billionths += (text[i] - '0') * scale;
      }
    }
    if (digits == 0) return std::nullopt;  // "5." is no number
    number.hasFraction = true;
  } else if (!hasWhole) {
    return std::nullopt;
  }
  text.remove_prefix(i);
  return number;
}

// A decimal count of `unit` nanoseconds.
std::int64_t Nanoseconds(const Decimal& number, std::int64_t unit) {
  // unit * billionths / 10^9, exact for every unit used here (multiples of a millisecond).
  return number.whole * unit + unit / 1'000'000 * number.billionths / 1'000;
}

// H:MM:SS(.fraction) or M:SS(.fraction): two or three fields, the first any number of digits,
// the others two digits below 60, the last with an optional fraction.
std::optional<std::int64_t> ColonForm(std::string_view text) {
  std::int64_t seconds = 0;
  int fields = 0;
  while (true) {
    const std::optional<Decimal> field = TakeDecimal(text);
    if (!field || fields == 3) return std::nullopt;
    if (fields > 0 && (field->wholeDigits != 2 || field->whole > 59)) return std::nullopt;
    seconds = seconds * 60 + field->whole;
    ++fields;
    if (text.empty()) {
      if (fields < 2) return std::nullopt;
      return seconds * kNanosecondsPerSecond + field->billionths;
    }
    if (field->hasFraction || text.front() != ':') return std::nullopt;
    text.remove_prefix(1);
  }
}

}  // namespace

std::optional<FrameRate> ReadFrameRate(std::string_view text) {
  text = Trimmed(text);
  FrameRate rate;
  if (const std::size_t slash = text.find('/'); slash != std::string_view::npos) {
    std::string_view frames = text.substr(0, slash);
    std::string_view seconds = text.substr(slash + 1);
    const std::optional<Decimal> f = TakeDecimal(frames);
    const std::optional<Decimal> s = TakeDecimal(seconds);
    if (!f || !s || f->hasFraction || s->hasFraction || !frames.empty() || !seconds.empty()) {
      return std::nullopt;
    }
    rate = {f->whole, s->whole};
  } else {
    const std::optional<Decimal> number = TakeDecimal(text);
    if (!number || !text.empty()) return std::nullopt;
    // 23.976 is 23976/1000: the fraction's digits, to the millionth.
    rate = {number->whole * 1'000'000 + number->billionths / 1'000, 1'000'000};
  }
  if (rate.frames <= 0 || rate.seconds <= 0 || rate.frames > 1000 * rate.seconds) {
    return std::nullopt;
  }
  return rate;
}

AmountReading ReadShiftAmount(std::string_view original, std::optional<FrameRate> rate) {
  const auto refuse = [original](const std::string& why) {
    return AmountReading{std::nullopt, "'" + std::string(original) + "' " + why};
  };
  const auto notAnAmount = [&refuse] {
    return refuse(std::string("is not an amount: give ") + kAmountForms);
  };
  std::string_view text = Trimmed(original);
  ShiftAmount amount;
  if (text.starts_with('-')) {
    amount.backward = true;
    text.remove_prefix(1);
  } else if (text.starts_with("\xE2\x88\x92")) {  // the typographic minus, as pasted
    amount.backward = true;
    text.remove_prefix(3);
  } else if (text.starts_with('+')) {
    text.remove_prefix(1);
  }
  if (text.empty()) return notAnAmount();

  std::int64_t nanoseconds = 0;
  if (text.find(':') != std::string_view::npos) {
    const std::optional<std::int64_t> value = ColonForm(text);
    if (!value) return notAnAmount();
    nanoseconds = *value;
  } else {
    // Numbers with units, largest first; one number without a unit is seconds.
    struct Unit {
      std::string_view suffix;
      std::int64_t nanoseconds;
      int rank;  // units come largest first, each once
    };
    // "ms" before "m", which it starts with.
    constexpr Unit kUnits[] = {{"h", 3600 * kNanosecondsPerSecond, 0},
                               {"ms", 1'000'000, 3},
                               {"m", 60 * kNanosecondsPerSecond, 1},
                               {"s", kNanosecondsPerSecond, 2}};
    int nextRank = 0;
    bool first = true;
    while (!text.empty()) {
      const std::optional<Decimal> number = TakeDecimal(text);
      if (!number) return notAnAmount();
      if (first && text.empty()) {  // a bare number: seconds
        nanoseconds = Nanoseconds(*number, kNanosecondsPerSecond);
        break;
      }
      while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
      if (first && (text == "f" || text == "F")) {
        if (number->hasFraction) return notAnAmount();
        if (!rate) {
          AmountReading frames = refuse("is frames, which need a frame rate");
          frames.needsFrameRate = true;
          return frames;
        }
        // frames / rate seconds, in centiseconds, rounded once: halves away from zero.
        const std::int64_t numerator = number->whole * rate->seconds * 100;
        const std::int64_t centiseconds = (2 * numerator + rate->frames) / (2 * rate->frames);
        nanoseconds = centiseconds * kNanosecondsPerCentisecond;
        break;
      }
      const Unit* unit = nullptr;
      for (const Unit& candidate : kUnits) {
        const std::string_view head = text.substr(0, candidate.suffix.size());
        if (head.size() == candidate.suffix.size() &&
            std::equal(head.begin(), head.end(), candidate.suffix.begin(),
                       [](char a, char b) { return (a | 0x20) == b; })) {
          unit = &candidate;
          break;
        }
      }
      if (unit == nullptr || unit->rank < nextRank) return notAnAmount();
      nextRank = unit->rank + 1;
      text.remove_prefix(unit->suffix.size());
      nanoseconds += Nanoseconds(*number, unit->nanoseconds);
      while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
      first = false;
    }
  }
  const std::int64_t centiseconds =
      (nanoseconds + kNanosecondsPerCentisecond / 2) / kNanosecondsPerCentisecond;
  if (centiseconds > kLatestTime) {
    return refuse("is more than " + FormatTime(kLatestTime) + ", the largest amount");
  }
  amount.centiseconds = static_cast<std::int32_t>(centiseconds);
  return {amount, {}};
}

}  // namespace nosk::script
