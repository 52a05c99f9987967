// The fault suite's season: scripts in a folder of their own, run through nosk-cli with or
// without a fault injector, and the promise checked on every script afterwards.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <sstream>

#include "tests/common/iconv.h"
#include "tests/common/process.h"
#include "tests/common/tempfolder.h"

namespace nosk::cli::faults {

namespace fs = std::filesystem;
using testsupport::Iconv;
using testsupport::ProcessResult;
using testsupport::ReadBytes;
using testsupport::RunProcess;
using testsupport::TempFolder;
using testsupport::WriteBytes;

const fs::path kData = fs::path(NOSK_TEST_DATA);
const std::string kCli = NOSK_CLI;

// A script of about `size` bytes: the test episode followed by numbered dialogue lines.
inline std::string BigScript(std::size_t size) {
  std::string text = ReadBytes(kData / "episode.ass");
  for (int n = 0; text.size() < size; ++n) {
    text += "Dialogue: 0,0:0" + std::to_string(n / 6000 % 10) + ":" +
            std::to_string(10 + n / 100 % 50) + ".00,0:09:59.00,Default,,0,0,0,,Filler line " +
            std::to_string(n) + ", with a comma\r\n";
  }
  return text;
}

inline std::string WithLfLineEnds(std::string text) {
  for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
  return text;
}

inline bool Available(const std::string& program) {
  return RunProcess("sh", {"-c", "command -v " + program + " >/dev/null"}).exitStatus == 0;
}

inline bool CanTrace() {
  return Available("strace") &&
         RunProcess("sh", {"-c", "strace -f -qq -o /dev/null true"}).exitStatus == 0;
}

// What the season's run does: shift every script, convert every script to UTF-8 with LF, sort
// the event lines of every script by actor, or replace a text inside their lines.
enum class SeasonRun { Shift, Conversion, Sort, Text };

// Three scripts in a folder of their own, the block file beside it, and for every script the
// content a run without faults gives it.
class Season {
 public:
  explicit Season(SeasonRun run = SeasonRun::Shift) : run_(run) {
    if (run != SeasonRun::Conversion) {
      scripts_ = {{"a.ass", ReadBytes(kData / "episode.ass")},
                  {"big.ass", BigScript(80'000)},
                  {"c.ass", WithLfLineEnds(ReadBytes(kData / "episode.ass"))}};
    } else {
      // A legacy code page, UTF-8 without the mark, and UTF-16 with it.
      scripts_ = {{"a.ass", Iconv(ReadBytes(kData / "languages/ru.ass"), "UTF-8", "CP1251")},
                  {"big.ass", BigScript(80'000).substr(3)},
                  {"c.ass",
                   "\xFF\xFE" + Iconv(ReadBytes(kData / "languages/ja.ass"), "UTF-8", "UTF-16LE")}};
    }
    WriteBytes(root_ / "go.txt",
               "Dialogue: 0,0:00:08.00,0:00:10.00,Default,Aki,0,0,0,,Let's go.\n");
    fs::create_directory(Folder());
    // What a run without faults makes of each script.
    Reset();
    const ProcessResult reference = Run();
    EXPECT_EQ(reference.exitStatus, 0) << reference.err;
    for (auto& [name, content] : scripts_) expected_[name] = ReadBytes(Folder() / name);
    Reset();
  }

  fs::path Folder() const { return root_ / "season"; }
  const std::map<std::string, std::string>& Scripts() const { return scripts_; }

  // Puts the scripts back as they were, with no backups and nothing else.
  void Reset() {
    fs::remove_all(Folder() / "Nosk_backup");
    for (const auto& entry : fs::directory_iterator(Folder())) fs::remove_all(entry.path());
    for (const auto& [name, content] : scripts_) WriteBytes(Folder() / name, content);
  }

  // nosk-cli shifting or converting every script, run through `wrapper` (a fault injector)
  // when one is given.
  ProcessResult Run(std::vector<std::string> wrapper = {}) const {
    std::vector<std::string> arguments;
    switch (run_) {
      case SeasonRun::Shift:
        arguments = {"shift",          "--by", "0:00:01.50", "--block", (root_ / "go.txt").string(),
                     Folder().string()};
        break;
      case SeasonRun::Conversion:
        arguments = {"convert", "--from", "windows-1251", "--eol", "lf", Folder().string()};
        break;
      case SeasonRun::Sort:
        arguments = {"sort", "--by", "actor", "--skip-comments", Folder().string()};
        break;
      case SeasonRun::Text:
        arguments = {"text", "--find", "Let's go", "--with", "Let us go", Folder().string()};
        break;
    }
    if (wrapper.empty()) return RunProcess(kCli, arguments);
    if (wrapper.front() == "strace") {
      // LeakSanitizer cannot work under ptrace: in a sanitizer build, traced runs leave it out.
      const char* options = std::getenv("ASAN_OPTIONS");
      wrapper.insert(wrapper.begin(),
                     {"env", std::string("ASAN_OPTIONS=") + (options != nullptr ? options : "") +
                                 ":detect_leaks=0"});
    }
    wrapper.push_back(kCli);
    wrapper.insert(wrapper.end(), arguments.begin(), arguments.end());
    const std::string program = wrapper.front();
    wrapper.erase(wrapper.begin());
    return RunProcess(program, wrapper);
  }

  // Which call of a kind (openat, write, close ...), counting every call of that kind in the
  // process from 1, is the first one on the first file whose openat line holds `opened` (the
  // openat itself when the call is openat), in a run without faults. (The count depends on the
  // build: a sanitizer's runtime makes calls of its own.)
  int FirstCallOn(const std::string& call, const std::string& opened) {
    const fs::path log = root_ / "trace.log";
    Reset();
    Run({"strace", "-qq", "-o", log.string(), "-e",
         call == "openat" ? "trace=openat" : "trace=openat," + call});
    Reset();
    std::istringstream lines(ReadBytes(log));
    std::string descriptor;
    int calls = 0;
    for (std::string line; std::getline(lines, line);) {
      const bool opens = line.starts_with("openat(");
      if (call == "openat") {
        calls += opens ? 1 : 0;
        if (opens && line.find(opened) != std::string::npos) return calls;
      } else if (opens && line.find(opened) != std::string::npos) {
        // The first open that succeeded: an open that found nothing comes before a create.
        const std::string result = line.substr(line.rfind("= ") + 2);
        if (descriptor.empty() && !result.starts_with("-1")) descriptor = result;
      } else if (line.starts_with(call + "(")) {
        ++calls;
        if (!descriptor.empty() && (line.starts_with(call + "(" + descriptor + ",") ||
                                    line.starts_with(call + "(" + descriptor + ")"))) {
          return calls;
        }
      }
    }
    ADD_FAILURE() << "no " << call << " on a file opened as " << opened;
    return 0;
  }

  // Checks the promise on every script; true for each one that was rewritten. Temporary files
  // may stay only after a kill, or where the run said they stay.
  std::map<std::string, bool> CheckPromise(bool temporaryFilesMayStay = false) const {
    std::map<std::string, bool> rewritten;
    for (const auto& [name, before] : scripts_) {
      SCOPED_TRACE(name);
      const std::string now = ReadBytes(Folder() / name);
      const fs::path backup = Folder() / "Nosk_backup" / (name + ".~1~");
      if (now == before) {
        rewritten[name] = false;
        // A kill between the backup and the rename leaves a backup of an unchanged script.
        if (fs::exists(backup)) {
          EXPECT_EQ(ReadBytes(backup), before) << "an incomplete backup";
        }
      } else {
        rewritten[name] = true;
        EXPECT_EQ(now, expected_.at(name)) << "neither the old nor the complete new content";
        EXPECT_EQ(ReadBytes(backup), before) << "rewritten without a complete backup";
      }
    }
    if (!temporaryFilesMayStay) {
      for (const auto& entry : fs::directory_iterator(Folder())) {
        EXPECT_FALSE(entry.path().filename().string().starts_with(".nosk-"))
            << "a temporary file stayed: " << entry.path();
      }
    }
    return rewritten;
  }

  // Every script has one result line; an Error has its reason on stderr.
  void CheckReports(const ProcessResult& result, const std::map<std::string, bool>& rewritten,
                    const std::string& reason) const {
    for (const auto& [name, done] : rewritten) {
      const std::string path = (Folder() / name).string();
      EXPECT_NE(result.out.find((done ? "1\t" : "Error\t") + path + "\n"), std::string::npos)
          << result.out;
      if (!done) {
        EXPECT_NE(result.err.find("nosk-cli: " + path + ": "), std::string::npos) << result.err;
      }
    }
    if (!reason.empty()) {
      EXPECT_NE(result.err.find(reason), std::string::npos) << result.err;
    }
  }

 private:
  SeasonRun run_;
  TempFolder root_;
  std::map<std::string, std::string> scripts_;
  std::map<std::string, std::string> expected_;
};

// A file system mounted over a folder for the length of a test.
class Mount {
 public:
  Mount(const std::vector<std::string>& arguments, fs::path target) : target_(std::move(target)) {
    std::vector<std::string> command = {"mount"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    command.push_back(target_.string());
    const ProcessResult result =
        RunProcess("mount", std::vector(command.begin() + 1, command.end()));
    mounted_ = result.exitStatus == 0;
    if (!mounted_) ADD_FAILURE() << "mount failed: " << result.err;
  }
  ~Mount() {
    if (mounted_) RunProcess("umount", {target_.string()});
  }
  bool mounted() const { return mounted_; }

 private:
  fs::path target_;
  bool mounted_ = false;
};

#define REQUIRE_ROOT(what) \
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to " << what;

#define REQUIRE_STRACE() \
  if (!CanTrace()) GTEST_SKIP() << "needs strace, and leave to trace processes";

}  // namespace nosk::cli::faults
