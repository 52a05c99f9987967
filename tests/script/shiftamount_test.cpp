#include "script/shiftamount.h"

#include <gtest/gtest.h>

#include <cmath>

namespace nosk::script {
namespace {

constexpr FrameRate kFilm{24000, 1001};

TEST(ShiftAmount, ReadsEachAcceptedFormToItsCentiseconds) {
  struct Case {
    std::string_view text;
    std::int32_t centiseconds;
    bool backward;
  };
  const Case cases[] = {
      // Time codes, and minutes and seconds.
      {"0:01:30.50", 9'050, false},
      {"9:59:59.99", 3'599'999, false},
      {"1:30", 9'000, false},
      {"90:00", 540'000, false},
      {"0:00:01.5", 150, false},
      {"0:00:00.005", 1, false},
      // Seconds, with a unit or without.
      {"1.5", 150, false},
      {"90", 9'000, false},
      {"1.5s", 150, false},
      {"90s", 9'000, false},
      {".25", 25, false},
      {"1,5", 150, false},
      {"0.004", 0, false},
      {"0.005", 1, false},
      {"0.0149999999999", 1, false},
      {"0.015", 2, false},
      // Milliseconds and combinations.
      {"500ms", 50, false},
      {"5ms", 1, false},
      {"4ms", 0, false},
      {"1m30s", 9'000, false},
      {"1h2m3.5s", 372'350, false},
      {"1h 2m 3.5s", 372'350, false},
      {"2m500ms", 12'050, false},
      {"1.5m", 9'000, false},
      {"1H30S", 363'000, false},
      // Frames at 24000/1001: a frame is 4.1708 centiseconds.
      {"24f", 100, false},
      {"1f", 4, false},
      {"-24f", 100, true},
      // Signs and spaces.
      {"-1.5", 150, true},
      {"-0:00:01.50", 150, true},
      {"\xE2\x88\x92"
       "2s",
       200, true},
      {"+2s", 200, false},
      {"  1.5s\n", 150, false},
      {"0", 0, false},
  };
  for (const Case& c : cases) {
    const AmountReading reading = ReadShiftAmount(c.text, kFilm);
    ASSERT_TRUE(reading.amount.has_value()) << c.text << ": " << reading.error;
    EXPECT_EQ(reading.amount->centiseconds, c.centiseconds) << c.text;
    EXPECT_EQ(reading.amount->backward, c.backward) << c.text;
  }
}

TEST(ShiftAmount, RefusesAnythingElseWithTheAcceptedForms) {
  struct Case {
    std::string_view text;
    std::string_view reason;
  };
  const std::string forms = std::string("is not an amount: give ") + kAmountForms;
  const Case cases[] = {
      {"", forms},
      {"-", forms},
      {"abc", forms},
      {"1.5x", forms},
      {"5.", forms},
      {"1:5", forms},
      {"1:60", forms},
      {"1:30:00:00", forms},
      {"1.5:30", forms},
      {"1:", forms},
      {"30s1m", forms},
      {"1m1m", forms},
      {"1m30", forms},
      {"1.5f", forms},
      {"24fps", forms},
      {"--1s", forms},
      {"1 2", forms},
      {"99999999999999999999", forms},
      {"10:00:00.00", "is more than 9:59:59.99, the largest amount"},
      {"36000s", "is more than 9:59:59.99, the largest amount"},
      {"9:59:59.995", "is more than 9:59:59.99, the largest amount"},
  };
  for (const Case& c : cases) {
    const AmountReading reading = ReadShiftAmount(c.text, kFilm);
    EXPECT_FALSE(reading.amount.has_value()) << c.text;
    EXPECT_EQ(reading.error, "'" + std::string(c.text) + "' " + std::string(c.reason)) << c.text;
  }
  const AmountReading frames = ReadShiftAmount("24f", std::nullopt);
  EXPECT_EQ(frames.error, "'24f' is frames, which need a frame rate");
  EXPECT_TRUE(frames.needsFrameRate);
}

TEST(ShiftAmount, ReadsFrameRates) {
  struct Case {
    std::string_view text;
    std::optional<std::pair<std::int64_t, std::int64_t>> rate;
  };
  const Case cases[] = {
      {"25", {{25'000'000, 1'000'000}}},
      {"23.976", {{23'976'000, 1'000'000}}},
      {"29.97", {{29'970'000, 1'000'000}}},
      {"24000/1001", {{24'000, 1'001}}},
      {" 30000/1001 ", {{30'000, 1'001}}},
      {"0", std::nullopt},
      {"0/1", std::nullopt},
      {"24/0", std::nullopt},
      {"1001", std::nullopt},
      {"24.5/1", std::nullopt},
      {"fast", std::nullopt},
      {"-25", std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<FrameRate> rate = ReadFrameRate(c.text);
    ASSERT_EQ(rate.has_value(), c.rate.has_value()) << c.text;
    if (rate) {
      EXPECT_EQ(rate->frames, c.rate->first) << c.text;
      EXPECT_EQ(rate->seconds, c.rate->second) << c.text;
    }
  }
}

// Frames at the usual film and video rates against the same conversion in floating point:
// frames / fps seconds, rounded once to the nearest centisecond.
TEST(ShiftAmount, ConvertsFramesAsTheirTimeRoundedOnce) {
  for (const auto& [fps, perSecond] : {std::pair{"23.976", 23.976L}, std::pair{"24", 24.0L},
                                       std::pair{"25", 25.0L}, std::pair{"29.97", 29.97L}}) {
    const std::optional<FrameRate> rate = ReadFrameRate(fps);
    ASSERT_TRUE(rate.has_value()) << fps;
    for (int frames = 0; frames <= 20'000; frames += 7) {
      const AmountReading reading = ReadShiftAmount(std::to_string(frames) + "f", rate);
      ASSERT_TRUE(reading.amount.has_value()) << fps << " " << frames;
      const long double centiseconds = frames / perSecond * 100;
      EXPECT_EQ(reading.amount->centiseconds, std::llround(centiseconds))
          << frames << " frames at " << fps;
    }
  }
}

}  // namespace
}  // namespace nosk::script
