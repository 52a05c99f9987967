// The wide scans against the plain ones where a wide step could go wrong: at the edges of its
// 64-byte steps, at the end of the text, and where a needle's ends match but its middle does not.
#include "script/bytescan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nosk::script {
namespace {

using FindFunction = std::size_t (*)(std::string_view, std::string_view, std::size_t);
using LineEndsFunction = void (*)(std::string_view, std::size_t, std::vector<std::size_t>&);
using NonAsciiFunction = std::size_t (*)(std::string_view, std::size_t);

struct Width {
  const char* name;
  FindFunction find;
  LineEndsFunction lineEnds;
  NonAsciiFunction nonAscii;
};
const Width kWidths[] = {{"fastest", &FindBytes, &AppendLineEnds, &FirstNonAscii},
                         {"sse2", &sse2::FindBytes, &sse2::AppendLineEnds, &sse2::FirstNonAscii}};

// A text of `size` dots with `needle` written at each of `places`.
std::string TextWith(std::size_t size, std::string_view needle, std::vector<std::size_t> places) {
  std::string text(size, '.');
  for (const std::size_t place : places) text.replace(place, needle.size(), needle);
  return text;
}

TEST(ByteScan, FindsWhatThePlainSearchFinds) {
  const std::string lantern = "lantern";
  struct Case {
    std::string text;
    std::string needle;
    std::size_t from;
  };
  const Case cases[] = {
      {TextWith(200, lantern, {0}), lantern, 0},
      {TextWith(200, lantern, {60}), lantern, 0},  // across the first step's end
      {TextWith(200, lantern, {63}), lantern, 0},
      {TextWith(200, lantern, {64}), lantern, 0},
      {TextWith(200, lantern, {193}), lantern, 0},  // the text's last bytes
      {TextWith(200, lantern, {10, 100}), lantern, 11},
      {TextWith(200, "lanXern", {5}) + "lantern", lantern, 0},  // the ends match, the middle not
      {TextWith(130, "ll", {64, 127}), "ll", 0},
      {TextWith(130, "ll", {64, 127}), "ll", 66},
      {TextWith(300, lantern, {}), lantern, 0},
      {"short", "longer than the text", 0},
      {TextWith(100, lantern, {0}), lantern, 101},  // from past the end
      {TextWith(100, "l", {70}), "l", 0},
      {TextWith(100, "", {}), "", 40},
      {std::string(150, 'a'), std::string(70, 'a'), 5},
  };
  for (const Width& width : kWidths) {
    for (const Case& c : cases) {
      EXPECT_EQ(width.find(c.text, c.needle, c.from), plain::FindBytes(c.text, c.needle, c.from))
          << width.name << ": " << c.needle << " at " << c.from << " in " << c.text;
    }
  }
}

TEST(ByteScan, FindsTheLineEndsThePlainScanFinds) {
  const std::string texts[] = {
      "",
      "\n",
      "no end",
      std::string(63, 'x') + "\n" + std::string(64, 'y') + "\n\n",
      std::string(64, '\n') + "z",
      TextWith(500, "\r\n", {0, 62, 126, 127, 300, 498}),
  };
  for (const Width& width : kWidths) {
    for (const std::string& text : texts) {
      std::vector<std::size_t> expected = {1, 2};
      std::vector<std::size_t> found = expected;  // appended to what is there, moved by the base
      plain::AppendLineEnds(text, 10, expected);
      width.lineEnds(text, 10, found);
      EXPECT_EQ(found, expected) << width.name << ": " << text;
    }
  }
}

TEST(ByteScan, FindsTheFirstByteOutsideAsciiThePlainScanFinds) {
  struct Case {
    std::string text;
    std::size_t from;
  };
  const std::string ascii(200, 'a');
  const Case cases[] = {
      {ascii, 0},
      {ascii + "\xD0\x9F", 0},                     // in the tail, after the last whole step
      {std::string(63, 'a') + "\x80" + ascii, 0},  // a step's last byte
      {std::string(64, 'a') + "\xFF" + ascii, 0},  // the next step's first
      {"\xC3\xA9" + ascii, 1},
      {"\xC3\xA9" + ascii, 2},
      {"\x7F" + ascii, 0},  // the highest ASCII byte is not one
      {ascii, 201},
  };
  for (const Width& width : kWidths) {
    for (const Case& c : cases) {
      EXPECT_EQ(width.nonAscii(c.text, c.from), plain::FirstNonAscii(c.text, c.from))
          << width.name << " from " << c.from;
    }
  }
  EXPECT_EQ(FirstNonAscii(std::string(64, 'a') + "\xFF", 0), 64u);
}

}  // namespace
}  // namespace nosk::script
