// Faults injected for real while nosk-cli rewrites scripts. Whatever happens, every script must
// end up either unchanged or completely rewritten with its complete previous version in
// Nosk_backup; no temporary file may stay behind (except after a kill); every failure is an
// Error with a reason; and the run goes on with the next script. Cases skip, saying why, where
// this machine cannot inject their fault.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <sstream>

#include "tests/common/process.h"
#include "tests/common/tempfolder.h"

namespace nosk::cli {
namespace {

namespace fs = std::filesystem;
using testsupport::ProcessResult;
using testsupport::ReadBytes;
using testsupport::RunProcess;
using testsupport::TempFolder;
using testsupport::WriteBytes;

const fs::path kData = fs::path(NOSK_TEST_DATA);
const std::string kCli = NOSK_CLI;

// A script of about `size` bytes: the test episode followed by numbered dialogue lines.
std::string BigScript(std::size_t size) {
  std::string text = ReadBytes(kData / "episode.ass");
  for (int n = 0; text.size() < size; ++n) {
    text += "Dialogue: 0,0:0" + std::to_string(n / 6000 % 10) + ":" +
            std::to_string(10 + n / 100 % 50) + ".00,0:09:59.00,Default,,0,0,0,,Filler line " +
            std::to_string(n) + ", with a comma\r\n";
  }
  return text;
}

std::string WithLfLineEnds(std::string text) {
  for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
  return text;
}

bool Available(const std::string& program) {
  return RunProcess("sh", {"-c", "command -v " + program + " >/dev/null"}).exitStatus == 0;
}

bool CanTrace() {
  return Available("strace") &&
         RunProcess("sh", {"-c", "strace -f -qq -o /dev/null true"}).exitStatus == 0;
}

// Three scripts in a folder of their own, the block file beside it, and for every script the
// content a run without faults gives it.
class Season {
 public:
  Season() {
    scripts_ = {{"a.ass", ReadBytes(kData / "episode.ass")},
                {"big.ass", BigScript(80'000)},
                {"c.ass", WithLfLineEnds(ReadBytes(kData / "episode.ass"))}};
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

  // nosk-cli shifting every script, run through `wrapper` (a fault injector) when one is given.
  ProcessResult Run(std::vector<std::string> wrapper = {}) const {
    std::vector<std::string> arguments = {
        "shift", "--by", "0:00:01.50", "--block", (root_ / "go.txt").string(), Folder().string()};
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

  // Which call of a kind (write, close), counting every call of that kind in the process from 1,
  // is the first one on the first temporary file, in a run without faults. (The count depends
  // on the build: a sanitizer's runtime makes calls of its own.)
  int FirstCallOnTheTemporaryFile(const std::string& call) {
    const fs::path log = root_ / "trace.log";
    Reset();
    Run({"strace", "-qq", "-o", log.string(), "-e", "trace=openat," + call});
    Reset();
    std::istringstream lines(ReadBytes(log));
    std::string descriptor;
    int calls = 0;
    for (std::string line; std::getline(lines, line);) {
      if (line.starts_with("openat(") && line.find("\".nosk-") != std::string::npos) {
        descriptor = line.substr(line.rfind("= ") + 2);
      } else if (line.starts_with(call + "(")) {
        ++calls;
        if (!descriptor.empty() && (line.starts_with(call + "(" + descriptor + ",") ||
                                    line.starts_with(call + "(" + descriptor + ")"))) {
          return calls;
        }
      }
    }
    ADD_FAILURE() << "no " << call << " on a temporary file";
    return 0;
  }

  // Checks the promise on every script; true for each one that was rewritten.
  std::map<std::string, bool> CheckPromise(bool afterAKill = false) const {
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
    if (!afterAKill) {
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

TEST(Faults, AFullDiskDuringTheTemporaryWrite) {
  REQUIRE_ROOT("mount a small tmpfs");
  Season season;
  Mount disk({"-t", "tmpfs", "-o", "size=128k", "tmpfs"}, season.Folder());
  ASSERT_TRUE(disk.mounted());
  season.Reset();  // the scripts on the small disk: about 84 KB of 128 KB
  const ProcessResult result = season.Run();
  EXPECT_EQ(result.exitStatus, 1);
  const auto rewritten = season.CheckPromise();
  EXPECT_EQ(rewritten,
            (std::map<std::string, bool>{{"a.ass", true}, {"big.ass", false}, {"c.ass", true}}));
  season.CheckReports(result, rewritten, "No space left on device");
}

TEST(Faults, NoRoomForTheBackupFolder) {
  REQUIRE_ROOT("mount a tmpfs with few inodes");
  Season season;
  // The folder and its three scripts, and one more: the temporary file fits, the backup folder
  // does not.
  Mount disk({"-t", "tmpfs", "-o", "size=1m,nr_inodes=5", "tmpfs"}, season.Folder());
  ASSERT_TRUE(disk.mounted());
  season.Reset();
  const ProcessResult result = season.Run();
  EXPECT_EQ(result.exitStatus, 1);
  const auto rewritten = season.CheckPromise();
  EXPECT_EQ(rewritten,
            (std::map<std::string, bool>{{"a.ass", false}, {"big.ass", false}, {"c.ass", false}}));
  season.CheckReports(result, rewritten, "backup could not be made");
}

TEST(Faults, AFileSizeLimit) {
  Season season;
  const ProcessResult result = season.Run({"bash", "-c", "ulimit -f 40; exec \"$@\"", "bash"});
  EXPECT_EQ(result.exitStatus, 1);
  const auto rewritten = season.CheckPromise();
  EXPECT_EQ(rewritten,
            (std::map<std::string, bool>{{"a.ass", true}, {"big.ass", false}, {"c.ass", true}}));
  season.CheckReports(result, rewritten, "File too large");
}

// One syscall failing, as strace injects it.
struct InjectedCase {
  std::string name;
  std::string injection;
  int exitStatus;
  std::map<std::string, bool> rewritten;
  std::string reason;
};

TEST(Faults, FailingSystemCalls) {
  REQUIRE_STRACE();
  const InjectedCase cases[] = {
      {"a failing write of the new content",
       "write:error=EIO:when=",
       1,
       {{"a.ass", false}, {"big.ass", true}, {"c.ass", true}},
       "Input/output error"},
      {"a failing close of the new content",
       "close:error=EIO:when=",
       1,
       {{"a.ass", false}, {"big.ass", true}, {"c.ass", true}},
       "Input/output error"},
      {"no hard links: the backup is a copy",
       "link,linkat:error=EXDEV",
       0,
       {{"a.ass", true}, {"big.ass", true}, {"c.ass", true}},
       ""},
      {"links not permitted: the backup is a copy",
       "link,linkat:error=EPERM",
       0,
       {{"a.ass", true}, {"big.ass", true}, {"c.ass", true}},
       ""},
      {"permissions that cannot be set",
       "fchmod:error=EPERM",
       1,
       {{"a.ass", false}, {"big.ass", false}, {"c.ass", false}},
       "can't set the permissions of the new file"},
      {"a failing rename",
       "rename,renameat,renameat2:error=EIO",
       1,
       {{"a.ass", false}, {"big.ass", false}, {"c.ass", false}},
       "Can't replace"},
      {"a failing flush at the end",
       "syncfs:error=EIO",
       1,
       {{"a.ass", true}, {"big.ass", true}, {"c.ass", true}},
       "could not be flushed to disk"},
  };
  Season season;
  for (const InjectedCase& c : cases) {
    SCOPED_TRACE(c.name);
    // "call:...:when=" fails the first such call on the first script's temporary file.
    std::string injection = c.injection;
    if (injection.ends_with("when=")) {
      const std::string call = injection.substr(0, injection.find(':'));
      injection += std::to_string(season.FirstCallOnTheTemporaryFile(call));
    }
    season.Reset();
    std::map<std::string, ino_t> inodes;
    for (const auto& [name, content] : season.Scripts()) {
      struct stat status {};
      ::stat((season.Folder() / name).c_str(), &status);
      inodes[name] = status.st_ino;
    }
    const ProcessResult result =
        season.Run({"strace", "-f", "-qq", "-o", "/dev/null", "-e", "inject=" + injection});
    EXPECT_EQ(result.exitStatus, c.exitStatus) << result.err;
    const auto rewritten = season.CheckPromise();
    EXPECT_EQ(rewritten, c.rewritten);
    season.CheckReports(result, rewritten, c.reason);
    if (c.injection.starts_with("link")) {
      for (const auto& [name, inode] : inodes) {
        struct stat status {};
        ::stat((season.Folder() / "Nosk_backup" / (name + ".~1~")).c_str(), &status);
        EXPECT_NE(status.st_ino, inode) << name << ": the backup must be a copy, not a link";
      }
    }
  }
}

// A folder whose listing fails after its first part: the scripts listed so far are worked on,
// and the run says that the folder could not be listed.
TEST(Faults, AFolderListingThatFailsPartway) {
  REQUIRE_STRACE();
  Season season;
  const ProcessResult result = season.Run(
      {"strace", "-f", "-qq", "-o", "/dev/null", "-e", "inject=getdents64:error=EIO:when=2"});
  EXPECT_EQ(result.exitStatus, 1) << result.err;
  const auto rewritten = season.CheckPromise();
  EXPECT_EQ(rewritten,
            (std::map<std::string, bool>{{"a.ass", true}, {"big.ass", true}, {"c.ass", true}}));
  season.CheckReports(result, rewritten,
                      "nosk-cli: " + season.Folder().string() +
                          ": can't list the folder: Input/output error\n");
}

// The process killed at each call that changes files, one after the other, until a run gets
// through: after every kill each script is old or new, and each new one has its backup.
TEST(Faults, KilledAtAnyPoint) {
  REQUIRE_STRACE();
  Season season;
  int kills = 0;
  for (const char* call : {"openat", "write", "close", "mkdirat", "flock", "linkat", "fchmod",
                           "fchown", "fsetxattr", "renameat", "renameat2", "unlinkat",
                           "syncfs"}) {
    for (int k = 1;; ++k) {
      SCOPED_TRACE(std::string(call) + " #" + std::to_string(k));
      season.Reset();
      const ProcessResult result =
          season.Run({"strace", "-f", "-qq", "-o", "/dev/null", "-e",
                      "inject=" + std::string(call) + ":signal=SIGKILL:when=" + std::to_string(k)});
      const bool killed = result.exitStatus == -1;
      season.CheckPromise(killed);
      if (!killed) {
        EXPECT_EQ(result.exitStatus, 0) << result.err;
        break;
      }
      ++kills;
      ASSERT_LT(k, 1000) << "the run never got through";
    }
  }
  RecordProperty("kills", kills);
  std::printf("killed %d times\n", kills);
  EXPECT_GT(kills, 20);
}

TEST(Faults, AnImmutableScriptOrBackupFolder) {
  REQUIRE_ROOT("make files immutable");
  Season season;
  if (RunProcess("chattr", {"+i", (season.Folder() / "a.ass").string()}).exitStatus != 0) {
    GTEST_SKIP() << "the file system of the test folder has no immutable attribute";
  }
  ProcessResult result = season.Run();
  RunProcess("chattr", {"-i", (season.Folder() / "a.ass").string()});
  auto rewritten = season.CheckPromise();
  EXPECT_EQ(rewritten,
            (std::map<std::string, bool>{{"a.ass", false}, {"big.ass", true}, {"c.ass", true}}));
  season.CheckReports(result, rewritten, "Operation not permitted");

  season.Reset();
  fs::create_directory(season.Folder() / "Nosk_backup");
  RunProcess("chattr", {"+i", (season.Folder() / "Nosk_backup").string()});
  result = season.Run();
  RunProcess("chattr", {"-i", (season.Folder() / "Nosk_backup").string()});
  rewritten = season.CheckPromise();
  EXPECT_EQ(rewritten,
            (std::map<std::string, bool>{{"a.ass", false}, {"big.ass", false}, {"c.ass", false}}));
  season.CheckReports(result, rewritten, "backup could not be made");
}

TEST(Faults, AReadOnlyMount) {
  REQUIRE_ROOT("bind-mount a folder read-only");
  Season season;
  Mount bind({"--bind", season.Folder().string()}, season.Folder());
  ASSERT_TRUE(bind.mounted());
  ASSERT_EQ(RunProcess("mount", {"-o", "remount,bind,ro", season.Folder().string()}).exitStatus, 0);
  const ProcessResult result = season.Run();
  EXPECT_EQ(result.exitStatus, 1);
  const auto rewritten = season.CheckPromise();
  EXPECT_EQ(rewritten,
            (std::map<std::string, bool>{{"a.ass", false}, {"big.ass", false}, {"c.ass", false}}));
  season.CheckReports(result, rewritten, "Read-only file system");
}

TEST(Faults, AFileNamedLikeTheBackupFolder) {
  Season season;
  WriteBytes(season.Folder() / "Nosk_backup", "not a folder");
  const ProcessResult result = season.Run();
  EXPECT_EQ(result.exitStatus, 1);
  fs::remove(season.Folder() / "Nosk_backup");
  const auto rewritten = season.CheckPromise();
  EXPECT_EQ(rewritten,
            (std::map<std::string, bool>{{"a.ass", false}, {"big.ass", false}, {"c.ass", false}}));
  season.CheckReports(result, rewritten, "Not a directory");
}

// A backup is named after its script plus ".~N~": a script name near the limit of 255 bytes
// still gets its backup, or a clear Error when the backup's name cannot be that long.
TEST(Faults, NamesNearTheLengthLimit) {
  TempFolder folder;
  const std::string fits = std::string(247, 'f') + ".ass";     // backup name: 255 bytes
  const std::string tooLong = std::string(248, 't') + ".ass";  // backup name: 256 bytes
  const std::string episode = ReadBytes(kData / "episode.ass");
  WriteBytes(folder / fits, episode);
  WriteBytes(folder / tooLong, episode);
  WriteBytes(folder / "go.txt", "Dialogue: 0,0:00:08.00,0:00:10.00,Default,Aki,0,0,0,,Let's go.\n");
  const ProcessResult result =
      RunProcess(kCli, {"shift", "--by", "0:00:01.50", "--block", (folder / "go.txt").string(),
                        (folder / fits).string(), (folder / tooLong).string()});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(ReadBytes(folder / fits), ReadBytes(kData / "shift-all.expected.ass"));
  EXPECT_EQ(ReadBytes(folder / "Nosk_backup" / (fits + ".~1~")), episode);
  EXPECT_EQ(ReadBytes(folder / tooLong), episode);
  EXPECT_NE(result.err.find("backup could not be made"), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("File name too long"), std::string::npos) << result.err;
}

TEST(Faults, AnUnprivilegedUser) {
  REQUIRE_ROOT("run as another user");
  if (!Available("setpriv")) GTEST_SKIP() << "needs setpriv";
  Season season;
  fs::permissions(season.Folder() / "c.ass", fs::perms::owner_read | fs::perms::owner_write);
  const ProcessResult result =
      season.Run({"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
  EXPECT_EQ(result.exitStatus, 1);
  const auto rewritten = season.CheckPromise();
  EXPECT_EQ(rewritten,
            (std::map<std::string, bool>{{"a.ass", false}, {"big.ass", false}, {"c.ass", false}}));
  season.CheckReports(result, rewritten, "Permission denied");
  EXPECT_NE(result.err.find("Can't read from " + (season.Folder() / "c.ass").string()),
            std::string::npos);
}

}  // namespace
}  // namespace nosk::cli
