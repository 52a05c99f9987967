// Scripts in a legacy code page without a mark, edited in their own bytes: the blocks typed in
// UTF-8 are put in the script's code page, named or guessed, and every other byte stays.
#include <gtest/gtest.h>

#include "tests/common/iconv.h"
#include "tests/common/process.h"
#include "tests/common/tempfolder.h"

namespace nosk::cli {
namespace {

namespace fs = std::filesystem;
using testsupport::Iconv;
using testsupport::ProcessResult;
using testsupport::ReadBytes;
using testsupport::RunProcess;
using testsupport::TempFolder;
using testsupport::WriteBytes;

const fs::path kData = fs::path(NOSK_TEST_DATA);
const std::string kCli = NOSK_CLI;

// The event line of a script that holds `text`, without its line end.
std::string LineWith(const std::string& script, const std::string& text) {
  const std::size_t at = script.find(text);
  const std::size_t start = script.rfind('\n', at) + 1;
  std::string line = script.substr(start, script.find('\n', at) - start);
  if (line.ends_with('\r')) line.pop_back();
  return line;
}

struct Language {
  const char* script;     // in tests/data/languages
  const char* iconvName;  // what the test's iconv makes the legacy copy with
  const char* named;      // what --codepage names it by
  const char* label;
  const char* found;     // a text of one of its lines
  const char* replaced;  // what replaces that text
};

// Each edit on the UTF-8 script and on its legacy copy, the code page named and guessed: the
// legacy result is the UTF-8 result in the code page, byte for byte, with the same result line.
TEST(CodePages, EditScriptsInTheirOwnBytes) {
  const Language languages[] = {
      {"ru.ass", "CP1251", "windows-1251", "Windows-1251", "Смотри, над станцией",
       "Смотри, звезда над вокзалом!"},
      {"fr.ass", "CP1252", "windows-1252", "Windows-1252", "Regarde, une étoile",
       "Regarde, l'étoile au-dessus de la gare, déjà !"},
  };
  for (const Language& language : languages) {
    const std::string utf8 = ReadBytes(kData / "languages" / language.script);
    const std::string legacy = Iconv(utf8, "UTF-8", language.iconvName);
    const std::string found = LineWith(utf8, language.found);
    std::string replacement = found;
    replacement.replace(replacement.find(language.found), std::string(language.found).size(),
                        language.replaced);
    struct Edit {
      const char* name;
      std::vector<std::string> arguments;
    };
    const Edit edits[] = {
        {"search", {"search", "--block", "block.txt"}},
        {"replace, full match", {"replace", "--block", "block.txt", "--with", "with.txt"}},
        {"replace, text only",
         {"replace", "--block", "block.txt", "--with", "with.txt", "--match", "text", "--mode",
          "text"}},
        {"shift after the line",
         {"shift", "--by", "1.5", "--affect", "after", "--block", "block.txt"}},
    };
    for (const Edit& edit : edits) {
      for (const std::string& codePage : {std::string(language.named), std::string("auto")}) {
        SCOPED_TRACE(std::string(language.script) + ", " + edit.name + ", " + codePage);
        TempFolder folder;
        WriteBytes(folder / "block.txt", found + "\n");
        WriteBytes(folder / "with.txt", replacement + "\n");
        WriteBytes(folder / "utf8.ass", utf8);
        WriteBytes(folder / "legacy.ass", legacy);
        std::vector<std::string> arguments = edit.arguments;
        for (std::string& argument : arguments) {
          if (argument.ends_with(".txt")) argument = (folder / argument).string();
        }
        const auto run = [&](const char* name, const std::vector<std::string>& extra) {
          std::vector<std::string> all = arguments;
          all.insert(all.end(), extra.begin(), extra.end());
          all.insert(all.end(), {"--", (folder / name).string()});
          return RunProcess(kCli, all);
        };
        const ProcessResult reference = run("utf8.ass", {});
        const ProcessResult edited = run("legacy.ass", {"--codepage", codePage});
        ASSERT_EQ(reference.exitStatus, 0) << reference.err;
        EXPECT_EQ(edited.exitStatus, 0) << edited.err;
        EXPECT_EQ(edited.out.substr(0, edited.out.find('\t')),
                  reference.out.substr(0, reference.out.find('\t')));
        EXPECT_NE(reference.out.substr(0, 2), "0\t") << "the edit finds the line";
        EXPECT_EQ(ReadBytes(folder / "legacy.ass"),
                  Iconv(ReadBytes(folder / "utf8.ass"), "UTF-8", language.iconvName));
        const std::string guess =
            std::string("read as ") + language.label + " (guessed from its bytes)";
        EXPECT_EQ(edited.err.find(guess) != std::string::npos, codePage == "auto") << edited.err;
      }
    }
  }
}

// What a script's code page cannot hold, or bytes it does not read, leave the script as it was,
// with the reason.
TEST(CodePages, RefuseWhatTheCodePageCannotHold) {
  const std::string utf8 = ReadBytes(kData / "languages/ru.ass");
  const std::string legacy = Iconv(utf8, "UTF-8", "CP1251");
  const std::string found = LineWith(utf8, "Смотри, над станцией");
  std::string romaji = found;
  romaji.replace(romaji.find("Смотри"), std::string("Смотри").size(), "Hoshi tō Sora");
  // 0x98 is no character of Windows-1251.
  const std::string unreadable = "[Script Info]\r\n; \x98\r\n" + legacy.substr(legacy.find("[V4"));
  const struct {
    const char* name;
    std::string script;
    std::vector<std::string> arguments;
    std::string reason;
  } cases[] = {
      {"a Replace block with a character Windows-1251 lacks",
       legacy,
       {"replace", "--block", "block.txt", "--with", "with.txt"},
       "the block holds characters that Windows-1251 has no code for: ō"},
      {"a Search block with it",
       legacy,
       {"search", "--block", "with.txt"},
       "the block holds characters that Windows-1251 has no code for: ō"},
      {"bytes the named code page does not read",
       unreadable,
       {"search", "--codepage", "windows-1251", "--block", "block.txt"},
       "line 2: the bytes 98 0D 0A 5B are not Windows-1251 text; name the code page the script is "
       "in"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    WriteBytes(folder / "block.txt", found + "\n");
    WriteBytes(folder / "with.txt", romaji + "\n");
    WriteBytes(folder / "a.ass", c.script);
    std::vector<std::string> arguments = c.arguments;
    for (std::string& argument : arguments) {
      if (argument.ends_with(".txt")) argument = (folder / argument).string();
    }
    arguments.insert(arguments.end(), {"--", (folder / "a.ass").string()});
    const ProcessResult r = RunProcess(kCli, arguments);
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.out, "Error\t" + (folder / "a.ass").string() + "\n");
    EXPECT_EQ(r.err, "nosk-cli: " + (folder / "a.ass").string() + ": " + c.reason + "\n");
    EXPECT_EQ(ReadBytes(folder / "a.ass"), c.script);
    EXPECT_FALSE(fs::exists(folder / "Nosk_backup"));
  }
}

}  // namespace
}  // namespace nosk::cli
