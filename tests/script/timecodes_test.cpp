#include "script/timecodes.h"

#include <gtest/gtest.h>

namespace nosk::script {
namespace {

TEST(TimeCodes, ParsesStrictlyAndKeepsThePartialSumOfInvalidTexts) {
  struct Case {
    std::string_view text;
    bool valid;
    std::int32_t value;
  };
  const Case cases[] = {
      {"0:00:00.00", true, 0},
      {"1:23:45.67", true, 502'567},
      {"9:59:59.99", true, 3'599'999},
      {"10:00:00.00", false, 0},
      {"0:60:00.00", false, 0},
      {"1:2:03.00", false, 360'000},
      {"1:02:03", false, 372'000},
      {"0:00:01.5", false, 100},
      {"1:00:02.50 ", false, 360'200},
      {" 1:00:00.00", false, 0},
      {"1:00:00.000", false, 360'000},
      {"0:00:-1.00", false, 0},
      {"-:00:00.00", true, 0},
      {"0:1-:00.00", true, 6'000},
      {"", false, 0},
      // Beyond the table: wrong closers, extra components, long digit runs, non-ASCII bytes.
      {"1.00:00.00", false, 0},
      {"1:00:00:00", false, 360'000},
      {"1:00:00.00.", false, 360'000},
      {"0:00:00.99999999999999999999", false, 0},
      {"99999999999999999999:00:00.00", false, 0},
      {"0:00:\xC3\xA9", false, 0},
      {"+1:00:00.00", false, 0},
      // The canonical shape with a component out of range: the partial sums still hold.
      {"1:60:00.00", false, 360'000},
      {"1:59:60.00", false, 714'000},
      {"2:03:04.99", true, 738'499},
      {"1:05:0x.00", false, 390'000},
      {"1:05:10,00", false, 390'000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const ParsedTime parsed = ParseTime(c.text);
    EXPECT_EQ(parsed.valid, c.valid);
    EXPECT_EQ(parsed.value, c.value);
    EXPECT_EQ(IsValidTime(c.text), c.valid);
    EXPECT_EQ(TimeValue(c.text), c.value);
  }
}

TEST(TimeCodes, FormatsCanonicallyAndClamps) {
  const std::pair<std::int64_t, std::string_view> cases[] = {
      {0, "0:00:00.00"},         {6'000, "0:01:00.00"},     {502'567, "1:23:45.67"},
      {3'600'000, "9:59:59.99"}, {-1, "0:00:00.00"},        {3'599'999, "9:59:59.99"},
      {INT64_MIN, "0:00:00.00"}, {INT64_MAX, "9:59:59.99"},
  };
  for (const auto& [value, text] : cases) {
    SCOPED_TRACE(value);
    EXPECT_EQ(FormatTime(value), text);
  }
}

TEST(TimeCodes, AddsOffsetsToPartialSumsWithClamping) {
  struct Case {
    std::string_view text;
    std::int32_t offset;
    std::string_view result;
  };
  const Case cases[] = {
      {"0:00:01.00", 150, "0:00:02.50"},
      {"0:00:01.00", -200, "0:00:00.00"},
      {"9:59:59.00", 500, "9:59:59.99"},
      {"1:2:03.00", 0, "1:00:00.00"},
      {"abc", 100, "0:00:01.00"},
      {"9:59:59.99", INT32_MAX, "9:59:59.99"},
      {"0:00:00.00", INT32_MIN, "0:00:00.00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " " + std::to_string(c.offset));
    EXPECT_EQ(AddTimeOffset(c.text, c.offset), c.result);
  }
}

// The fast path for the canonical form reads what the plain walk reads, in the canonical form's
// shape with anything in its places.
TEST(TimeCodes, ReadCanonicalTimesAsThePlainWalkDoes) {
  for (const char* text : {"0:00:00.00", "9:59:59.99", "1:23:45.67", "0:60:00.00", "0:00:60.00",
                           "0:59:61.00", "0:0a:00.00", "a:00:00.00", "0:00:00.0x", "0-00:00.00",
                           "0:00:00:00", "0.00:00.00", "-:00:00.00"}) {
    EXPECT_EQ(ParseTime(text), ParseTimeByComponents(text)) << text;
  }
}

TEST(TimeCodes, WritesIntegersAsPercentIDoes) {
  EXPECT_EQ(IntToText(7), "7");
  EXPECT_EQ(IntToText(-12), "-12");
  EXPECT_EQ(IntToText(0), "0");
  EXPECT_EQ(IntToText(INT32_MIN), "-2147483648");
}

}  // namespace
}  // namespace nosk::script
