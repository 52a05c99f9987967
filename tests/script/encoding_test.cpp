#include "script/encoding.h"

#include <gtest/gtest.h>

#include "tests/common/tempfolder.h"

namespace nosk::script {
namespace {

TEST(Encoding, IsFoundFromTheByteOrderMark) {
  struct Case {
    std::string name;
    std::string bytes;
    ScriptEncoding encoding;
  };
  const Case cases[] = {
      {"empty", "", ScriptEncoding::SystemCodePage},
      {"plain", "[Script Info]\r\n", ScriptEncoding::SystemCodePage},
      {"UTF-8 mark", "\xEF\xBB\xBF[Script Info]", ScriptEncoding::Utf8},
      {"UTF-8 mark alone", "\xEF\xBB\xBF", ScriptEncoding::Utf8},
      {"UTF-16 BE", "\xFE\xFF\x00[", ScriptEncoding::Utf16BigEndian},
      {"UTF-16 LE", "\xFF\xFE[\x00", ScriptEncoding::Utf16LittleEndian},
      {"FF FE 00 00 is UTF-16 LE", std::string("\xFF\xFE\x00\x00", 4),
       ScriptEncoding::Utf16LittleEndian},
      {"UTF-32 BE", std::string("\x00\x00\xFE\xFF", 4), ScriptEncoding::Utf32BigEndian},
      {"mark cut by a line end", "\xEF\xBB\n\xBF", ScriptEncoding::SystemCodePage},
      {"half a mark", "\xEF\xBB", ScriptEncoding::SystemCodePage},
  };
  testsupport::TempFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DetectEncodingOfBytes(c.bytes), c.encoding);
    testsupport::WriteBytes(folder / "script.ass", c.bytes);
    EXPECT_EQ(DetectEncoding(folder / "script.ass"), c.encoding);
  }
  EXPECT_EQ(DetectEncoding(folder / "missing.ass"), ScriptEncoding::SystemCodePage);
  EXPECT_EQ(DetectEncoding(folder.path()), ScriptEncoding::SystemCodePage);
}

TEST(Encoding, TypedTextKeepsWellFormedUtf8AndMarksWhatNoEncodingHolds) {
  struct Case {
    std::string name;
    std::string input;
    std::string bytes;
    bool complete;
  };
  const Case cases[] = {
      {"ASCII", "Dialogue: 0,0:00:01.00", "Dialogue: 0,0:00:01.00", true},
      {"Cyrillic and CJK", "\xD0\x9F\xD1\x80\xD0\xB8 \xE6\x97\xA5",
       "\xD0\x9F\xD1\x80\xD0\xB8 \xE6\x97\xA5", true},
      {"four-byte character", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80", true},
      {"stray continuation byte", "a\x80z", "a?z", false},
      {"cut sequence at the end", "a\xD0", "a?", false},
      {"overlong slash", "\xC0\xAF", "??", false},
      {"surrogate", "\xED\xA0\x80", "???", false},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", "????", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (ScriptEncoding encoding : {ScriptEncoding::Utf8, ScriptEncoding::SystemCodePage}) {
      const EncodedText encoded = EncodeTypedText(c.input, encoding);
      EXPECT_EQ(encoded.bytes, c.bytes);
      EXPECT_EQ(encoded.complete, c.complete);
    }
  }
}

}  // namespace
}  // namespace nosk::script
