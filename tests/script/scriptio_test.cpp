#include "script/scriptio.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <functional>

#include "tests/common/tempfolder.h"

namespace nosk::script {
namespace {

using testsupport::ReadBytes;
using testsupport::TempFolder;
using testsupport::WriteBytes;

// The lines of the file, loaded, then every line written back in order.
std::string RoundTrip(const TempFolder& folder, const std::string& bytes, std::int32_t* lineCount) {
  WriteBytes(folder / "in.ass", bytes);
  TSubtitleFile file;
  EXPECT_TRUE(LoadScript(folder / "in.ass", file).ok());
  *lineCount = file.LineCount();
  std::filesystem::remove(folder / "out.ass");
  OutputFile out;
  EXPECT_TRUE(out.CreateNew(folder / "out.ass").ok());
  for (std::int32_t i = 0; i < file.LineCount(); ++i)
    EXPECT_TRUE(WriteScriptLine(out, file.GetLine(i)));
  EXPECT_TRUE(out.Close().ok());
  return ReadBytes(folder / "out.ass");
}

TEST(ScriptFiles, LoadAndWriteBackByteForByte) {
  struct Case {
    std::string name;
    std::string bytes;
    std::int32_t lines;
  };
  std::string utf16 = "\xFF\xFE";
  for (char c : std::string("[Events]\r\nDialogue: 0\r\n")) utf16 += std::string{c, '\0'};
  const std::string longLine = "Dialogue: 0,0:00:00.00,0:00:01.00,Default,,0,0,0,," +
                               std::string(200'000 - 52, 'x') + "\r\n";
  ASSERT_EQ(longLine.size(), 200'000u);
  const Case cases[] = {
      {"CR LF", "[Script Info]\r\nTitle: x\r\n", 3},
      {"LF", "[Script Info]\nTitle: x\n", 3},
      {"mixed, no final terminator", "a\r\nb\nc\r\nd", 4},
      {"UTF-8 mark", "\xEF\xBB\xBF[Script Info]\r\nTitle: \xD0\x9F\r\n", 3},
      {"UTF-8 mark alone", "\xEF\xBB\xBF", 1},
      {"UTF-16 LE with mark", utf16, 3},
      {"NUL byte", std::string("a\0b\r\nc\0\0", 8), 2},
      {"200,000-byte line", "[Events]\r\n" + longLine + "x", 3},
      {"invalid UTF-8", "\xC3\x28\xFF\xFE\x80\r\n\xF5\n", 3},
      {"empty file", "", 1},
      {"lone CR line ends", "a\rb\rc\r", 1},
  };
  TempFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::int32_t lineCount = -1;
    EXPECT_EQ(RoundTrip(folder, c.bytes, &lineCount), c.bytes);
    EXPECT_EQ(lineCount, c.lines);
  }
}

// A file of `size` bytes in lines of up to 100 bytes, so that a load has many lines to count.
void WriteFileOfSize(const std::filesystem::path& path, std::size_t size) {
  std::string bytes(size, 'x');
  for (std::size_t i = 99; i < size; i += 100) bytes[i] = '\n';
  WriteBytes(path, bytes);
}

// The largest script there may be: every line's progress is told, rising to all of its bytes.
TEST(ScriptFiles, LoadTellsHowFarItGot) {
  TempFolder folder;
  WriteFileOfSize(folder / "big.ass", 40'000'000);
  TSubtitleFile file;
  std::vector<std::int64_t> done;
  ASSERT_TRUE(LoadScript(folder / "big.ass", file, [&](std::int64_t bytes, std::int64_t total) {
                EXPECT_EQ(total, 40'000'000);
                done.push_back(bytes);
              }).ok());
  EXPECT_EQ(file.LineCount(), 400'001);  // the empty line after the final LF
  ASSERT_FALSE(done.empty());
  EXPECT_TRUE(std::is_sorted(done.begin(), done.end()));
  EXPECT_EQ(done.back(), 40'000'000);
}

TEST(ScriptFiles, RefusesAFileOverTheLimitWithoutAMessage) {
  TempFolder folder;
  WriteFileOfSize(folder / "huge.ass", 40'000'001);
  TSubtitleFile file;
  const Outcome loaded = LoadScript(folder / "huge.ass", file);
  EXPECT_FALSE(loaded.ok());
  EXPECT_NE(loaded.reason().find("larger than 40,000,000 bytes"), std::string::npos);
  EXPECT_FALSE(loaded.serious());
  EXPECT_EQ(file.LineCount(), 0);
}

// The reason is returned, once: no message is shown on the side, so each front end shows it
// its own way.
TEST(ScriptFiles, ReportsWhatCannotBeReadWithAReason) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "folder.ass");
  const std::filesystem::path cases[] = {folder / "missing.ass", folder / "folder.ass"};
  for (const auto& path : cases) {
    SCOPED_TRACE(path);
    TSubtitleFile file;
    const Outcome loaded = LoadScript(path, file);
    EXPECT_FALSE(loaded.ok());
    const std::string message = "Can't read from " + path.string() + ".";
    EXPECT_TRUE(loaded.serious());
    EXPECT_TRUE(loaded.reason().starts_with(message));
    EXPECT_GT(loaded.reason().size(), message.size()) << "the system's reason is added";
  }
}

// A file another program writes to after it was measured (an appending writer, a truncation)
// is reported as changed, never read as a mix of its states: a grown buffer once kept only the
// tail, and a search then said "no event lines".
TEST(ScriptFiles, ReportAFileThatChangesWhileItIsRead) {
  const std::string events = "[Events]\r\n" + std::string(100'000, 'x') + "\r\n";
  const std::pair<const char*, std::function<void(const std::filesystem::path&)>> cases[] = {
      {"grown", [](const auto& path) { WriteBytes(path, ReadBytes(path) + "Dialogue: more\r\n"); }},
      {"cut", [](const auto& path) { std::filesystem::resize_file(path, 10); }},
  };
  for (const auto& [name, change] : cases) {
    SCOPED_TRACE(name);
    TempFolder folder;
    WriteBytes(folder / "a.ass", events);
    const FileDescriptor descriptor(::open((folder / "a.ass").c_str(), O_RDONLY | O_CLOEXEC));
    struct stat status {};
    ASSERT_EQ(::fstat(descriptor.Get(), &status), 0);
    change(folder / "a.ass");
    TSubtitleFile file;
    const Outcome loaded =
        LoadScriptFrom(descriptor, FileIdentity::Of(status), folder / "a.ass", file);
    EXPECT_FALSE(loaded.ok());
    EXPECT_EQ(loaded.message().id(), MessageId::ChangedWhileRead);
  }
}

TEST(OutputFiles, NeverOverwriteAnExistingFile) {
  TempFolder folder;
  WriteBytes(folder / "a.ass", "keep");
  OutputFile out;
  const Outcome created = out.CreateNew(folder / "a.ass");
  EXPECT_FALSE(created.ok());
  EXPECT_NE(created.reason().find("File exists"), std::string::npos);
  EXPECT_EQ(ReadBytes(folder / "a.ass"), "keep");
}

TEST(OutputFiles, CarryPermissionBitsAndLargeWritesThrough) {
  TempFolder folder;
  OutputFile out;
  ASSERT_TRUE(out.CreateNew(folder / "a.ass", 0640).ok());
  const std::string big(1'000'000, 'b');
  EXPECT_TRUE(out.Write("small "));
  EXPECT_TRUE(out.Write(big));
  EXPECT_TRUE(out.Write(" end"));
  ASSERT_TRUE(out.Close().ok());
  EXPECT_EQ(ReadBytes(folder / "a.ass"), "small " + big + " end");
  const auto permissions = std::filesystem::status(folder / "a.ass").permissions();
  EXPECT_EQ(permissions & std::filesystem::perms::all, std::filesystem::perms::owner_read |
                                                           std::filesystem::perms::owner_write |
                                                           std::filesystem::perms::group_read);
}

// With SIGXFSZ ignored, a write beyond the file size limit fails with EFBIG instead of ending the
// process: the failure must reach Close.
TEST(OutputFiles, ReportAWriteThatFails) {
  TempFolder folder;
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto savedHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 1000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);

  OutputFile out;
  const Outcome created = out.CreateNew(folder / "a.ass");
  const bool firstWrite = out.Write(std::string(600'000, 'x'));
  const bool laterWrite = out.Write("y");
  const Outcome closed = out.Close();

  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, savedHandler);
  ASSERT_TRUE(created.ok());
  EXPECT_FALSE(firstWrite);
  EXPECT_FALSE(laterWrite);
  EXPECT_FALSE(closed.ok());
  EXPECT_NE(closed.reason().find("File too large"), std::string::npos) << closed.reason();
}

}  // namespace
}  // namespace nosk::script
