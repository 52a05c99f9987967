// A shift amount in the forms people type and paste: a time code, seconds, milliseconds, a
// combination of hours, minutes and seconds, or frames at a frame rate.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nosk::script {

// Frames per second as a fraction: 24000/1001 is {24000, 1001}, 25 is {25, 1}.
struct FrameRate {
  std::int64_t frames = 0;
  std::int64_t seconds = 1;
};

// A frame rate as "25", "23.976" or "24000/1001"; nothing for anything else, or for a rate
// that is zero or beyond 1000 frames a second.
std::optional<FrameRate> ReadFrameRate(std::string_view text);

struct ShiftAmount {
  std::int32_t centiseconds = 0;  // never negative; at most kLatestTime
  bool backward = false;          // the text began with a minus sign
};

struct AmountReading {
  std::optional<ShiftAmount> amount;
  std::string error;  // why the text is not an amount, when it is not
  // The text is frames, and no frame rate was given.
  bool needsFrameRate = false;
};

// Reads a shift amount. Accepted, after an optional sign ("-" moves back; spaces around the
// whole are ignored):
//   0:01:30.50, 1:30          H:MM:SS and M:SS, with a fraction of a second or without;
//   1.5, 1.5s, 90s            seconds;
//   500ms                     milliseconds;
//   1m30s, 1h2m3.5s           hours, minutes, seconds and milliseconds, largest first;
//   24f                       frames, at `rate` (needed for this form).
// A decimal mark may be "." or ",". A value finer than a centisecond is rounded to the nearest
// one, halves away from zero; frames are converted to time once, then rounded.
AmountReading ReadShiftAmount(std::string_view text, std::optional<FrameRate> rate);

// The accepted forms, for messages that refuse a text.
extern const char* const kAmountForms;

}  // namespace nosk::script
