#include "engine/internal/formatconversion.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "engine/codepages.h"
#include "tests/common/iconv.h"

namespace nosk::engine {
namespace {

using testsupport::Iconv;

const std::string kData = NOSK_TEST_DATA;
const std::string kMark = "\xEF\xBB\xBF";

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

ConvertRequest Settings(std::string source = {},
                        TargetEncoding target = TargetEncoding::Utf8WithMark,
                        LineEnds lineEnds = LineEnds::Keep) {
  return ConvertRequest{std::move(source), target, lineEnds};
}

// Each realistic script in the code page its language is found in, made with iconv: named or
// detected, it converts to what iconv gives, and every character comes back.
TEST(FormatConversion, ConvertsEachCodePageToWhatIconvGives) {
  struct Case {
    const char* script;
    const char* codePage;  // as iconv names it
    const char* label;
  };
  const Case cases[] = {
      {"ru", "CP1251", "Windows-1251"}, {"fr", "CP1252", "Windows-1252"},
      {"ja", "CP932", "Shift-JIS"},     {"zh-hans", "GB18030", "GB18030"},
      {"zh-hant", "CP950", "Big5"},
  };
  for (const Case& c : cases) {
    const std::string utf8 = ReadFile(kData + "/languages/" + c.script + ".ass");
    const std::string legacy = Iconv(utf8, "UTF-8", c.codePage);
    ASSERT_NE(legacy, utf8) << c.script;
    const std::string expected = kMark + Iconv(legacy, c.codePage, "UTF-8");
    for (const std::string& source : {std::string(c.codePage), std::string()}) {
      SCOPED_TRACE(std::string(c.script) + (source.empty() ? " detected" : " named"));
      Conversion conversion;
      ASSERT_TRUE(ConvertScript(legacy, Settings(source), conversion).ok());
      EXPECT_EQ(conversion.content, expected);
      EXPECT_EQ(conversion.content, kMark + utf8);
      EXPECT_EQ(script::English(conversion.Source()), c.label);
      EXPECT_EQ(conversion.detected, source.empty());
      // Converted once more, nothing changes.
      Conversion again;
      ASSERT_TRUE(ConvertScript(conversion.content, Settings(source), again).ok());
      EXPECT_EQ(again.content, conversion.content);
      EXPECT_EQ(script::English(again.Source()), "UTF-8 with mark");
    }
  }
}

// The Unicode marks, and UTF-16 without a mark (valid UTF-8 too, NUL bytes and all, and once
// converted as such into NUL-laden text, CR bytes inside its characters with CR LF asked for).
TEST(FormatConversion, ReadsTheUnicodeMarksAndUtf16WithoutOne) {
  for (const char* language : {"ja", "ru", "fr"}) {
    const std::string utf8 = ReadFile(kData + "/languages/" + language + ".ass");
    struct Case {
      const char* encoding;
      std::string mark;
      std::string source;
    };
    const Case cases[] = {
        {"UTF-16LE", "\xFF\xFE", "UTF-16LE with mark"},
        {"UTF-16BE", "\xFE\xFF", "UTF-16BE with mark"},
        {"UTF-32LE", std::string("\xFF\xFE\x00\x00", 4), "UTF-32LE with mark"},
        {"UTF-32BE", std::string("\x00\x00\xFE\xFF", 4), "UTF-32BE with mark"},
        {"UTF-16LE", "", "UTF-16LE"},
        {"UTF-16BE", "", "UTF-16BE"},
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(language) + " " + c.source);
      const std::string wide = c.mark + Iconv(utf8, "UTF-8", c.encoding);
      for (const LineEnds lineEnds : {LineEnds::Keep, LineEnds::CrLf}) {
        Conversion conversion;
        ASSERT_TRUE(ConvertScript(wide, Settings("CP1251", TargetEncoding::Utf8WithMark, lineEnds),
                                  conversion)
                        .ok());
        EXPECT_EQ(conversion.content, kMark + utf8);  // the fixtures' lines end in CR LF
        EXPECT_EQ(script::English(conversion.Source()), c.source);
        EXPECT_TRUE(conversion.wide);
      }
    }
  }
}

// A conversion that would write more than any run reads again writes nothing.
TEST(FormatConversion, RefusesAResultPastTheSizeLimit) {
  // 30 MB of short lines, each LF made CR LF: 45 MB.
  std::string script = "[Events]\n";
  for (int i = 0; i < 15'000'000; ++i) script += "x\n";
  Conversion conversion;
  EXPECT_TRUE(
      ConvertScript(script, Settings({}, TargetEncoding::Utf8, LineEnds::Keep), conversion).ok());
  const script::Outcome converted =
      ConvertScript(script, Settings({}, TargetEncoding::Utf8, LineEnds::CrLf), conversion);
  EXPECT_FALSE(converted.ok());
  EXPECT_EQ(converted.message().id(), script::MessageId::ConvertedTooLarge);
  EXPECT_TRUE(conversion.content.empty());
}

// The target and the line ends, each choice tied to the bytes it gives.
TEST(FormatConversion, WritesTheTargetAndTheLineEndsChosen) {
  const std::string mixed = "[Events]\r\nDialogue: a\nDialogue: b\rc\r\nlast";
  struct Case {
    TargetEncoding target;
    LineEnds lineEnds;
    std::string expected;
  };
  const Case cases[] = {
      {TargetEncoding::Utf8WithMark, LineEnds::Keep, kMark + mixed},
      {TargetEncoding::Utf8, LineEnds::Keep, mixed},
      {TargetEncoding::Utf8, LineEnds::CrLf, "[Events]\r\nDialogue: a\r\nDialogue: b\rc\r\nlast"},
      {TargetEncoding::Utf8, LineEnds::Lf, "[Events]\nDialogue: a\nDialogue: b\rc\nlast"},
      {TargetEncoding::Utf8WithMark, LineEnds::Lf,
       kMark + "[Events]\nDialogue: a\nDialogue: b\rc\nlast"},
  };
  for (const Case& c : cases) {
    for (const std::string& source : {mixed, kMark + mixed}) {
      Conversion conversion;
      ASSERT_TRUE(ConvertScript(source, Settings({}, c.target, c.lineEnds), conversion).ok());
      EXPECT_EQ(conversion.content, c.expected);
      EXPECT_EQ(conversion.decoded, mixed);
    }
  }
}

TEST(FormatConversion, RefusesBytesThatAreNotTextInTheirEncoding) {
  const std::string lines = "[Events]\r\nDialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,";
  struct Case {
    const char* name;
    std::string bytes;
    std::string source;
    std::string reason;
  };
  const Case cases[] = {
      {"a byte Windows-1251 lacks", lines + "\xCF\xF0\xE8\r\n" + lines + "a\x98z\r\n", "CP1251",
       "line 4: the bytes 98 7A 0D 0A are not Windows-1251 text; it was not converted"},
      {"UTF-8 mark, then Windows-1251", kMark + lines + "\xCF\xF0\xE8\r\n", "",
       "line 2: the bytes CF F0 E8 0D are not UTF-8 text, though the script begins with the UTF-8 "
       "mark; it was not converted"},
      {"a cut Shift-JIS character", lines + "\x82", "CP932",
       "line 2: the script ends inside a Shift-JIS character (bytes 82); it was not converted"},
      {"an odd UTF-16 byte",
       std::string("\xFF\xFE"
                   "a\0b",
                   5),
       "",
       "line 1: the script ends inside a UTF-16LE with mark character (bytes 62); it was not "
       "converted"},
      {"a duplicate of CP932 that comes back as another", lines + "\xED\x40\r\n", "CP932",
       "line 2: the Shift-JIS bytes ED 40 0D 0A would not come back the same from UTF-8 (this "
       "system's converter reads them as a character it writes otherwise); it was not "
       "converted"},
      {"an unknown code page", lines + "\xE9", "NO-SUCH-CODE-PAGE",
       "the encoding NO-SUCH-CODE-PAGE is not known to this system"},
  };
  for (const Case& c : cases) {
    Conversion conversion;
    const script::Outcome outcome = ConvertScript(c.bytes, Settings(c.source), conversion);
    EXPECT_FALSE(outcome.ok()) << c.name;
    EXPECT_EQ(outcome.reason(), c.reason) << c.name;
  }
}

TEST(FormatConversion, NamesCodePagesAsUsersWriteThem) {
  const std::pair<const char*, const char*> names[] = {
      {"windows-1251", "CP1251"},
      {"cp1251", "CP1251"},
      {"Shift-JIS", "CP932"},
      {"shift_jis", "CP932"},
      {"sjis", "CP932"},
      {"big5", "CP950"},
      {"gbk", "GB18030"},
      {"euc-kr", "CP949"},
      {"ISO-8859-2", "ISO-8859-2"},
      {"nonsense", ""},
      {"", ""},
  };
  for (const auto& [name, iconvName] : names) EXPECT_EQ(CodePageName(name), iconvName) << name;
  for (const CodePage& page : LegacyCodePages()) {
    EXPECT_EQ(CodePageName(page.name), page.name);
    EXPECT_EQ(CodePageLabel(page.name), page.label);
  }
}

}  // namespace
}  // namespace nosk::engine
