// Faults injected for real while nosk-cli rewrites scripts. Whatever happens, every script must
// end up either unchanged or completely rewritten with its complete previous version in
// Nosk_backup; no temporary file may stay behind (except after a kill); every failure is an
// Error with a reason; and the run goes on with the next script. Cases skip, saying why, where
// this machine cannot inject their fault.
#include "tests/cli/faultseason.h"

namespace nosk::cli {
namespace {

using namespace faults;

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
  // The folder and its three scripts, and one more: the backup folder fits, its lock file does
  // not.
  Mount disk({"-t", "tmpfs", "-o", "size=1m,nr_inodes=5", "tmpfs"}, season.Folder());
  ASSERT_TRUE(disk.mounted());
  season.Reset();
  const ProcessResult result = season.Run();
  EXPECT_EQ(result.exitStatus, 1);
  const auto rewritten = season.CheckPromise();
  EXPECT_EQ(rewritten,
            (std::map<std::string, bool>{{"a.ass", false}, {"big.ass", false}, {"c.ass", false}}));
  // The lock file is the first thing the run makes in the backup folder.
  season.CheckReports(result, rewritten, "Can't lock the folder");
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

// One syscall failing, as strace injects it: every call of its kind, or, with a `target`, the
// first one on the file whose openat line holds the target (the openat itself for openat).
struct InjectedCase {
  std::string name;
  std::string injection;
  std::string target;
  int exitStatus;
  std::map<std::string, bool> rewritten;
  std::string reason;
  bool temporaryFilesStay = false;  // reported as staying, as the reason says
};

const std::string kTemporaryFile = "\".nosk-";
const std::string kFirstScript = "\"a.ass\"";
const std::string kJournal = "\"journal-" + std::to_string(::geteuid()) + ".txt\"";

TEST(Faults, FailingSystemCalls) {
  REQUIRE_STRACE();
  const std::map<std::string, bool> none = {{"a.ass", false}, {"big.ass", false}, {"c.ass", false}};
  const std::map<std::string, bool> all = {{"a.ass", true}, {"big.ass", true}, {"c.ass", true}};
  const std::map<std::string, bool> allButTheFirst = {
      {"a.ass", false}, {"big.ass", true}, {"c.ass", true}};
  const InjectedCase cases[] = {
      {"the folder cannot be locked", "flock:error=ENOLCK", "", 1, none, "Can't lock the folder"},
      // The lock file in Nosk_backup, and the runner's journal: the first script, whose run
      // makes them, is left alone with the reason; the next ones find them.
      {"the lock file cannot be made", "openat:error=ENOSPC", "\"lock\"", 1, allButTheFirst,
       "Can't lock the folder"},
      {"the lock file's mode cannot be set", "fchmod:error=EIO", "\"lock\"", 1, allButTheFirst,
       "Can't lock the folder"},
      {"the run journal cannot be opened", "openat:error=EACCES", kJournal, 1, allButTheFirst,
       "was not changed: can't write the run journal"},
      {"the run journal's mode cannot be set", "fchmod:error=EIO", kJournal, 1, allButTheFirst,
       "was not changed: can't write the run journal"},
      {"the script cannot be opened", "openat:error=EIO", kFirstScript, 1, allButTheFirst,
       "Input/output error"},
      {"the script cannot be read", "pread64:error=EIO", kFirstScript, 1, allButTheFirst,
       "Input/output error"},
      {"no room for a temporary file", "openat:error=ENOSPC", kTemporaryFile, 1, allButTheFirst,
       "No space left on device"},
      {"a failing write of the new content", "write:error=EIO", kTemporaryFile, 1, allButTheFirst,
       "Input/output error"},
      {"a failing close of the new content", "close:error=EIO", kTemporaryFile, 1, allButTheFirst,
       "Input/output error"},
      {"permissions that cannot be set", "fchmod:error=EPERM", "", 1, none,
       "can't set the permissions of the new file"},
      {"extended attributes that cannot be read", "flistxattr:error=EIO", "", 1, none,
       "can't read its extended attributes"},
      {"an inherited ACL that cannot be removed", "fremovexattr:error=EIO", kTemporaryFile, 1,
       allButTheFirst, "can't remove the ACL the new file took from its folder"},
      {"no backup folder", "mkdirat:error=EACCES", "", 1, none, "backup could not be made"},
      {"no hard links: the backup is a copy", "link,linkat:error=EXDEV", "", 0, all, ""},
      {"links not permitted: the backup is a copy", "link,linkat:error=EPERM", "", 0, all, ""},
      {"a failing link into the backup folder", "link,linkat:error=EIO", "", 1, none,
       "backup could not be made"},
      {"no exchange of names: a rename", "renameat2:error=EINVAL", "", 0, all, ""},
      {"a failing rename", "rename,renameat,renameat2:error=EIO", "", 1, none, "Can't replace"},
      {"the previous version's temporary name cannot be removed", "unlinkat:error=EIO", "", 0, all,
       "which could not be removed: Input/output error", true},
      {"no room for the run's journal record", "write:error=ENOSPC", kJournal, 1, allButTheFirst,
       "was not changed: can't write the run journal"},
      {"a failing flush at the end", "syncfs:error=EIO", "", 1, all,
       "could not be flushed to disk"},
  };
  Season season;
  for (const InjectedCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::string injection = c.injection;
    if (!c.target.empty()) {
      const std::string call = injection.substr(0, injection.find(':'));
      injection += ":when=" + std::to_string(season.FirstCallOn(call, c.target));
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
    const auto rewritten = season.CheckPromise(c.temporaryFilesStay);
    EXPECT_EQ(rewritten, c.rewritten);
    season.CheckReports(result, rewritten, c.reason);
    if (c.injection.starts_with("link") && c.exitStatus == 0) {
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
  season.CheckReports(
      result, rewritten,
      "nosk-cli: " + season.Folder().string() + ": can't list the folder: Input/output error\n");
}

// The process killed at each call that changes files, one after the other, until a run gets
// through: after every kill each script is old or new, and each new one has its backup.
void KillAtEveryCall(SeasonRun run) {
  Season season(run);
  int kills = 0;
  for (const char* call :
       {"openat", "write", "close", "mkdirat", "flock", "linkat", "fchmod", "fchown", "fsetxattr",
        "fremovexattr", "renameat", "renameat2", "unlinkat", "syncfs"}) {
    for (int k = 1;; ++k) {
      SCOPED_TRACE(std::string(call) + " #" + std::to_string(k) + " (run " +
                   std::to_string(static_cast<int>(run)) + ")");
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
  std::printf("killed %d times\n", kills);
  EXPECT_GT(kills, 20);
}

// A shift, a conversion, a sort and a text replacement, each killed at every call.
TEST(Faults, KilledAtAnyPoint) {
  REQUIRE_STRACE();
  for (const SeasonRun run :
       {SeasonRun::Shift, SeasonRun::Conversion, SeasonRun::Sort, SeasonRun::Text}) {
    KillAtEveryCall(run);
  }
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
  // The lock file is the first thing the run makes there, before any backup.
  season.CheckReports(result, rewritten, "Can't lock the folder");
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
  // A folder the user may not write gets no backup folder, where its lock would be: no script
  // of it is read for a rewrite.
  season.CheckReports(result, rewritten, "Permission denied");
  EXPECT_NE(result.err.find("backup could not be made"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace nosk::cli
