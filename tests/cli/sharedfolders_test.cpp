// Shared folders and other writers, attacked for real: a second, unprivileged user ("U",
// through setpriv), a racing program that swaps names, other programs writing while a run
// works, concurrent runs. Whatever they do, no edit is lost without a word, and nobody makes
// the runner read, change or expose a file the runner did not mean to.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/xattr.h>

#include <chrono>
#include <functional>
#include <future>
#include <set>
#include <thread>

#include "tests/cli/faultseason.h"

namespace nosk::cli {
namespace {

using namespace faults;
using testsupport::StartProcess;
using testsupport::StopProcess;

const std::string kSwapper = NOSK_SWAPPER;
constexpr uid_t kOtherUser = 1234;  // U
const std::string kGo = "Dialogue: 0,0:00:08.00,0:00:10.00,Default,Aki,0,0,0,,Let's go.\n";
const std::string kEpisode = ReadBytes(kData / "episode.ass");
const std::string kShifted = ReadBytes(kData / "shift-all.expected.ass");

#define REQUIRE_SETPRIV()              \
  REQUIRE_ROOT("run as another user"); \
  if (!Available("setpriv")) GTEST_SKIP() << "needs setpriv";

// nosk-cli where any user may run it: the checkout may lie in a folder only its owner can
// enter (root's home is 0700), and a run as another user that cannot even start must never
// pass for a refusal.
const std::string& CliForOtherUsers() {
  static const struct Copy {
    fs::path folder =
        fs::temp_directory_path() / ("nosk-cli-for-others-" + std::to_string(::getpid()));
    std::string program = (folder / "nosk-cli").string();
    Copy() {
      fs::create_directories(folder);
      fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
      fs::copy_file(kCli, program, fs::copy_options::overwrite_existing);
      fs::permissions(program, fs::perms::owner_all | fs::perms::group_read |
                                   fs::perms::group_exec | fs::perms::others_read |
                                   fs::perms::others_exec);
    }
    ~Copy() {
      std::error_code ignored;
      fs::remove_all(folder, ignored);
    }
  } copy;
  return copy.program;
}

// A folder for one case: "season" inside it, writable by everyone as a shared folder is, and
// the block file beside it.
struct Stage {
  TempFolder root;
  fs::path season = root / "season";
  Stage() {
    fs::create_directory(season);
    fs::permissions(season, fs::perms::all);
    fs::permissions(root.path(), fs::perms::all);
    WriteBytes(root / "go.txt", kGo);
  }
  fs::path operator/(const std::string& name) const { return season / name; }
  // nosk-cli with `arguments`, wrapped by `wrapper` (strace, setpriv, sh) when given; as another
  // user (setpriv), the copy of nosk-cli that user may run.
  ProcessResult Cli(std::vector<std::string> wrapper, std::vector<std::string> arguments) const {
    const bool other = !wrapper.empty() && wrapper.front() == "setpriv";
    arguments.insert(arguments.begin(), other ? CliForOtherUsers() : kCli);
    if (!wrapper.empty() && wrapper.front() == "strace") {
      // The leak checker cannot work under ptrace.
      const char* options = std::getenv("ASAN_OPTIONS");
      wrapper.insert(wrapper.begin(),
                     {"env", std::string("ASAN_OPTIONS=") + (options != nullptr ? options : "") +
                                 ":detect_leaks=0"});
    }
    wrapper.insert(wrapper.end(), arguments.begin(), arguments.end());
    const std::string program = wrapper.front();
    wrapper.erase(wrapper.begin());
    return RunProcess(program, wrapper);
  }
  // nosk-cli shift by 1.5 s of `paths`, wrapped as Cli wraps it.
  ProcessResult Shift(std::vector<std::string> wrapper, std::vector<std::string> paths) const {
    std::vector<std::string> arguments = {"shift", "--by", "0:00:01.50", "--"};
    arguments.insert(arguments.end(), paths.begin(), paths.end());
    return Cli(std::move(wrapper), std::move(arguments));
  }
  ProcessResult Shift(std::vector<std::string> paths) const { return Shift({}, std::move(paths)); }
};

std::vector<std::string> AsOtherUser() {
  return {"setpriv", "--reuid=" + std::to_string(kOtherUser),
          "--regid=" + std::to_string(kOtherUser), "--clear-groups"};
}

std::vector<std::string> Traced(const std::string& injections) {
  std::vector<std::string> wrapper = {"strace", "-f", "-qq", "-o", "/dev/null"};
  std::size_t at = 0;
  for (std::size_t next; (next = injections.find(' ', at)) != std::string::npos; at = next + 1) {
    wrapper.insert(wrapper.end(), {"-e", "inject=" + injections.substr(at, next - at)});
  }
  wrapper.insert(wrapper.end(), {"-e", "inject=" + injections.substr(at)});
  return wrapper;
}

// Runs `run` in the background and, `after` it started, does `meanwhile`: another program at
// work while the run waits in a delay that strace injected.
ProcessResult While(const std::function<ProcessResult()>& run, std::chrono::milliseconds after,
                    const std::function<void()>& meanwhile) {
  auto result = std::async(std::launch::async, run);
  std::this_thread::sleep_for(after);
  meanwhile();
  return result.get();
}

void Append(const fs::path& file, const std::string& text) {
  WriteBytes(file, ReadBytes(file) + text);
}

struct stat StatOf(const fs::path& path) {
  struct stat status {};
  EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
  return status;
}

std::string Command(const std::string& command) { return RunProcess("sh", {"-c", command}).out; }

const std::string kAppended = "Comment: 0,0:00:00.00,0:00:00.00,D,,0,0,0,,another program\r\n";

// Defect: edits lost while the run reports success. The other program writes at each moment
// between the last check and the rename; its write is never lost without a word.
TEST(SharedFolders, AWriteWhileTheScriptIsReplacedIsNeverLostSilently) {
  REQUIRE_STRACE();
  struct Case {
    std::string name;
    std::string injections;
    int exitStatus;
    std::string script;  // afterwards
    std::string backup;  // Nosk_backup/a.ass.~1~ afterwards, empty: none
    std::string reason;
  };
  const Case cases[] = {
      {"before the backup link: refused, the write stays in the script",
       "linkat:delay_enter=1500000:when=1", 1, kEpisode + kAppended, "",
       "changed on disk while Nosk worked on it"},
      {"before the rename: the new content is in place, the write is kept in the backup",
       "renameat2:delay_enter=1500000:when=1", 1, kShifted, kEpisode + kAppended,
       "another program wrote to"},
      {"before the rename, with a copy backup: copied again with the write",
       "linkat:error=EXDEV renameat2:delay_enter=1500000:when=2", 1, kShifted, kEpisode + kAppended,
       "another program wrote to"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Stage stage;
    WriteBytes(stage / "a.ass", kEpisode);
    const ProcessResult result =
        While([&] { return stage.Shift(Traced(c.injections), {(stage / "a.ass").string()}); },
              std::chrono::milliseconds(700), [&] { Append(stage / "a.ass", kAppended); });
    EXPECT_EQ(result.exitStatus, c.exitStatus) << result.err;
    EXPECT_NE(result.err.find(c.reason), std::string::npos) << result.err;
    EXPECT_EQ(ReadBytes(stage / "a.ass"), c.script);
    const fs::path backup = stage / "Nosk_backup" / "a.ass.~1~";
    EXPECT_EQ(fs::exists(backup), !c.backup.empty());
    if (!c.backup.empty()) {
      EXPECT_EQ(ReadBytes(backup), c.backup);
    }
  }
}

// Defect: a same-size write whose modification time is put back passes a check that ignores
// the change time.
TEST(SharedFolders, ASameSizeWriteWithItsTimeSetBackIsSeen) {
  REQUIRE_STRACE();
  Stage stage;
  WriteBytes(stage / "a.ass", kEpisode);
  std::string edited = kEpisode;
  edited.replace(edited.find("Where are we?"), 13, "Where are WE?");
  const ProcessResult result = While(
      [&] {
        // The third fchmod, after the backup folder's and its lock file's: the new file's.
        return stage.Shift(Traced("fchmod:delay_enter=1500000:when=3"),
                           {(stage / "a.ass").string()});
      },
      std::chrono::milliseconds(700),
      [&] {
        const struct stat before = StatOf(stage / "a.ass");
        WriteBytes(stage / "a.ass", edited);
        const struct timespec times[2] = {before.st_atim, before.st_mtim};
        ::utimensat(AT_FDCWD, (stage / "a.ass").c_str(), times, 0);
      });
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_NE(result.err.find("changed on disk while Nosk worked on it"), std::string::npos)
      << result.err;
  EXPECT_EQ(ReadBytes(stage / "a.ass"), edited);
}

// Defect: a script deleted during the run came back with the new content.
TEST(SharedFolders, AScriptDeletedDuringTheRunStaysDeleted) {
  REQUIRE_STRACE();
  for (const char* injection :
       {"linkat:delay_enter=1500000:when=1", "renameat2:delay_enter=1500000:when=1"}) {
    SCOPED_TRACE(injection);
    Stage stage;
    WriteBytes(stage / "a.ass", kEpisode);
    const ProcessResult result =
        While([&] { return stage.Shift(Traced(injection), {(stage / "a.ass").string()}); },
              std::chrono::milliseconds(700), [&] { fs::remove(stage / "a.ass"); });
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_NE(result.err.find("was deleted while Nosk worked on it"), std::string::npos)
        << result.err;
    EXPECT_FALSE(fs::exists(stage / "a.ass"));
    EXPECT_FALSE(fs::exists(stage / "Nosk_backup" / "a.ass.~1~"));
  }
}

// Defect: the backup copy re-opened the script by name, so a link swapped in just before it
// made the runner copy a secret into a folder another user reads.
TEST(SharedFolders, ABackupCopyNeverFollowsALinkSwappedIn) {
  REQUIRE_STRACE();
  Stage stage;
  fs::create_directory(stage.root / "private");
  WriteBytes(stage.root / "private" / "secret.ass", "the secret");
  WriteBytes(stage / "a.ass", kEpisode);
  fs::create_symlink(stage.root / "private" / "secret.ass", stage / "evil.ass");
  // The link is held back until the runner, its script open, is about to take the backup.
  const ProcessResult result = While(
      [&] {
        return stage.Shift(Traced("linkat:error=EXDEV:delay_enter=1500000:when=1"),
                           {(stage / "a.ass").string()});
      },
      std::chrono::milliseconds(700),
      [&] {
        ASSERT_EQ(::syscall(SYS_renameat2, AT_FDCWD, (stage / "a.ass").c_str(), AT_FDCWD,
                            (stage / "evil.ass").c_str(), RENAME_EXCHANGE),
                  0);
      });
  EXPECT_EQ(result.exitStatus, 1) << result.err;
  EXPECT_EQ(ReadBytes(stage.root / "private" / "secret.ass"), "the secret");
  // No file of the folder holds the secret; a link to it may, of course.
  for (const auto& entry : fs::recursive_directory_iterator(stage.season)) {
    if (entry.is_symlink() || !entry.is_regular_file()) continue;
    EXPECT_NE(ReadBytes(entry.path()), "the secret") << entry.path();
  }
  EXPECT_EQ(ReadBytes(stage / "evil.ass"), kEpisode);  // the script, untouched, under its new name
}

// The same race, run by a program of its own that swaps as fast as it can: whatever it wins,
// the secret is never read into a backup and never rewritten.
TEST(SharedFolders, ASwapperNeverGetsASecretCopied) {
  Stage stage;
  fs::create_directory(stage.root / "private");
  WriteBytes(stage.root / "private" / "secret.ass", "the secret");
  WriteBytes(stage / "a.ass", kEpisode);
  fs::create_symlink(stage.root / "private" / "secret.ass", stage / "evil.ass");
  const pid_t swapper = StartProcess(kSwapper, {stage.season.string(), "a.ass", "evil.ass"});
  for (int run = 0; run < 40; ++run) stage.Shift({(stage / "a.ass").string()});
  StopProcess(swapper);
  EXPECT_EQ(ReadBytes(stage.root / "private" / "secret.ass"), "the secret");
  if (fs::exists(stage / "Nosk_backup")) {
    for (const auto& entry : fs::directory_iterator(stage / "Nosk_backup")) {
      EXPECT_NE(ReadBytes(entry.path()), "the secret") << entry.path();
    }
  }
}

// Defect: a file swapped in for the temporary file before the exchange took the script's name
// (and the runner's new file stayed under a name the other user chose). After the exchange
// the script's name must hold the very file the run wrote, or the names go back.
TEST(SharedFolders, ATemporaryFileSwappedBeforeTheExchangeNeverTakesTheName) {
  REQUIRE_STRACE();
  Stage stage;
  WriteBytes(stage / "a.ass", kEpisode);
  WriteBytes(stage / "evil", "the other user's file");
  // The exchange waits half a second: time enough to swap the temporary file for another.
  auto run = std::async(std::launch::async, [&] {
    return stage.Shift(Traced("renameat2:delay_enter=500000"), {(stage / "a.ass").string()});
  });
  bool swapped = false;
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!swapped && std::chrono::steady_clock::now() < giveUp &&
         run.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready) {
    for (const auto& entry : fs::directory_iterator(stage.season)) {
      const std::string name = entry.path().filename().string();
      if (!name.starts_with(".nosk-")) continue;
      swapped = ::syscall(SYS_renameat2, AT_FDCWD, entry.path().c_str(), AT_FDCWD,
                          (stage / "evil").c_str(), RENAME_EXCHANGE) == 0;
      break;
    }
  }
  const ProcessResult result = run.get();
  ASSERT_TRUE(swapped) << "the temporary file was never seen: " << result.err;
  EXPECT_EQ(result.exitStatus, 1) << result.out;
  EXPECT_NE(result.err.find("changed on disk while Nosk worked on it"), std::string::npos)
      << result.err;
  EXPECT_EQ(ReadBytes(stage / "a.ass"), kEpisode);
}

// Defect: -r opened each script's folder again by its path, so a folder swapped for a link
// after the listing was followed (into a root-only folder when root runs it). The walk's own
// descriptor is used: the scripts it found are edited where they went, and the link's target
// is never touched.
TEST(SharedFolders, AFolderSwappedForALinkDuringAWalkIsNeverFollowed) {
  REQUIRE_STRACE();
  Stage stage;
  for (const char* folder : {"A", "B"}) {
    fs::create_directory(stage / folder);
    WriteBytes(stage / folder / "ep.ass", kEpisode);
  }
  fs::create_directory(stage.root / "private");
  WriteBytes(stage.root / "private" / "ep.ass", kEpisode);
  // The run's first lock, on A, waits half a second: meanwhile B becomes a link.
  auto run = std::async(std::launch::async, [&] {
    return stage.Cli(Traced("flock:delay_enter=500000:when=1"),
                     {"shift", "-r", "--by", "0:00:01.50", "--", stage.season.string()});
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(250));
  fs::rename(stage / "B", stage / "B-moved");
  fs::create_directory_symlink(stage.root / "private", stage / "B");
  const ProcessResult result = run.get();
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(ReadBytes(stage.root / "private" / "ep.ass"), kEpisode);
  EXPECT_EQ(ReadBytes(stage / "B-moved" / "ep.ass"), kShifted);
  EXPECT_EQ(ReadBytes(stage / "A" / "ep.ass"), kShifted);
}

// Scripts deeper than PATH_MAX were skipped without a word: the walk reaches every folder from
// its parent's descriptor, so no path is ever too long for it.
TEST(SharedFolders, AWalkReachesScriptsDeeperThanAnyPath) {
  Stage stage;
  const std::string name(200, 'd');
  int folder = ::open(stage.season.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  fs::path deep = stage.season;
  for (int level = 0; level < 25; ++level) {  // 25 x 201 bytes: past PATH_MAX (4096)
    ASSERT_EQ(::mkdirat(folder, name.c_str(), 0755), 0);
    const int child = ::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ::close(folder);
    ASSERT_GE(folder = child, 0);
    deep /= name;
  }
  const auto writeAt = [&](const std::string& bytes) {
    const int file = ::openat(folder, "ep.ass", O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(file, 0);
    ASSERT_EQ(::write(file, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    ::close(file);
  };
  writeAt(kEpisode);
  const ProcessResult result =
      RunProcess(kCli, {"shift", "-r", "--by", "0:00:01.50", "--", stage.season.string()});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(result.out, "1\t" + (deep / "ep.ass").string() + "\n");
  std::string shifted(kShifted.size() + 16, '\0');
  const int file = ::openat(folder, "ep.ass", O_RDONLY | O_CLOEXEC);
  ASSERT_GE(file, 0);
  shifted.resize(
      static_cast<std::size_t>(std::max<ssize_t>(0, ::read(file, shifted.data(), shifted.size()))));
  ::close(file);
  ::close(folder);
  EXPECT_EQ(shifted, kShifted);
  // Too deep for the temporary folder's own removal by path.
  RunProcess("rm", {"-rf", stage.season.string()});
}

// Defect: a link that U planted made root rewrite a file outside the folder and expose its old
// content in the shared Nosk_backup. A link to anything but a regular file is refused too.
TEST(SharedFolders, ALinkIsFollowedOnlyToAFileOfItsOwner) {
  REQUIRE_SETPRIV();
  Stage stage;
  fs::create_directory(stage.root / "private");
  fs::permissions(stage.root / "private", fs::perms::owner_all);
  WriteBytes(stage.root / "private" / "secret.ass", kEpisode);
  ASSERT_EQ(
      RunProcess(AsOtherUser().front(),
                 {AsOtherUser()[1], AsOtherUser()[2], AsOtherUser()[3], "ln", "-s",
                  (stage.root / "private" / "secret.ass").string(), (stage / "link.ass").string()})
          .exitStatus,
      0);
  fs::create_symlink("/dev/stdin", stage / "x.ass");
  WriteBytes(stage / "mine.ass", kEpisode);
  fs::create_symlink(stage / "mine.ass", stage / "own-link.ass");
  const ProcessResult result =
      stage.Shift({(stage / "link.ass").string(), (stage / "x.ass").string(),
                   (stage / "own-link.ass").string()});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_NE(result.out.find("Error\t" + (stage / "link.ass").string()), std::string::npos);
  EXPECT_NE(result.err.find("follows a link only to a file of the link's owner"), std::string::npos)
      << result.err;
  EXPECT_NE(result.out.find("Error\t" + (stage / "x.ass").string()), std::string::npos);
  EXPECT_EQ(ReadBytes(stage.root / "private" / "secret.ass"), kEpisode);
  // A link of the runner's own to a file of the runner's own is followed.
  EXPECT_NE(result.out.find("1\t" + (stage / "own-link.ass").string()), std::string::npos);
  EXPECT_EQ(ReadBytes(stage / "mine.ass"), kShifted);
  EXPECT_EQ(ReadBytes(stage / "Nosk_backup" / "mine.ass.~1~"), kEpisode);
  EXPECT_EQ(Command("ls -A '" + (stage / "Nosk_backup").string() + "'"),
            "journal-" + std::to_string(::geteuid()) + ".txt\nlock\nmine.ass.~1~\n");
}

// Defect: a Nosk_backup that is a link, or that another user made, decided where the runner
// wrote files. A teammate's in a group folder is used.
TEST(SharedFolders, BackupsGoOnlyIntoABackupFolderTheFolderTrusts) {
  REQUIRE_ROOT("give files to other users");
  const struct {
    std::string name;
    std::function<void(const Stage&)> prepare;
    bool used;
    std::string reason;
  } cases[] = {
      {"a link to another folder",
       [](const Stage& stage) {
         fs::create_directory(stage.root / "elsewhere");
         fs::create_symlink(stage.root / "elsewhere", stage / "Nosk_backup");
       },
       false, "is a symbolic link"},
      {"a folder another user made",
       [](const Stage& stage) {
         fs::create_directory(stage / "Nosk_backup");
         ASSERT_EQ(::chown((stage / "Nosk_backup").c_str(), kOtherUser, kOtherUser), 0);
       },
       false, "belongs to"},
      {"a teammate's, in a folder the group may write",
       [](const Stage& stage) {
         ASSERT_EQ(::chown(stage.season.c_str(), 0, kOtherUser), 0);
         fs::create_directory(stage / "Nosk_backup");
         ASSERT_EQ(::chown((stage / "Nosk_backup").c_str(), kOtherUser, kOtherUser), 0);
       },
       true, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Stage stage;
    WriteBytes(stage / "a.ass", kEpisode);
    c.prepare(stage);
    const ProcessResult result = stage.Shift({(stage / "a.ass").string()});
    EXPECT_EQ(result.exitStatus, c.used ? 0 : 1) << result.err;
    EXPECT_EQ(ReadBytes(stage / "a.ass"), c.used ? kShifted : kEpisode);
    EXPECT_NE(result.err.find(c.reason), std::string::npos) << result.err;
    if (fs::exists(stage.root / "elsewhere")) {
      EXPECT_TRUE(fs::is_empty(stage.root / "elsewhere"));
    }
  }
}

// Defect: permissions widened or lost without a word. Each is carried over to the new file, or
// the script is refused.
TEST(SharedFolders, PermissionsAreCarriedOverOrTheScriptIsRefused) {
  REQUIRE_ROOT("give files to other groups");
  if (!Available("setfacl") || !Available("getfacl") || !Available("setfattr")) {
    GTEST_SKIP() << "needs setfacl, getfacl and setfattr (packages acl and attr)";
  }
  // In a set-group-ID folder, with an ACL, an extended attribute and an unusual mode.
  Stage stage;
  ASSERT_EQ(::chown(stage.season.c_str(), 0, kOtherUser), 0);
  ASSERT_EQ(::chmod(stage.season.c_str(), 02777), 0);
  const fs::path script = stage / "a.ass";
  WriteBytes(script, kEpisode);
  ASSERT_EQ(::chown(script.c_str(), 0, 0), 0);  // a group of its own, not the folder's
  ASSERT_EQ(::chmod(script.c_str(), 0640), 0);
  const std::string quoted = "'" + script.string() + "'";
  if (RunProcess("setfacl", {"-m", "u:" + std::to_string(kOtherUser) + ":rw,m::r", script.string()})
              .exitStatus != 0 ||
      RunProcess("setfattr", {"-n", "user.nosk", "-v", "kept", script.string()}).exitStatus != 0) {
    GTEST_SKIP() << "the test folder's file system has no ACLs or user attributes";
  }
  const std::string acl = Command("getfacl -c " + quoted);
  const ProcessResult result = stage.Shift({script.string()});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(ReadBytes(script), kShifted);
  const struct stat after = StatOf(script);
  EXPECT_EQ(after.st_gid, 0u) << "the folder's group must not replace the script's";
  EXPECT_EQ(after.st_mode & 07777, 0640u);
  EXPECT_EQ(Command("getfacl -c " + quoted), acl);
  EXPECT_EQ(Command("getfattr --only-values -n user.nosk " + quoted), "kept");
}

TEST(SharedFolders, AScriptTheRunnerMayNotWriteIsRefused) {
  REQUIRE_SETPRIV();
  Stage stage;
  // Root's script in a folder that lets U rename it, and U's own read-only script.
  WriteBytes(stage / "roots.ass", kEpisode);
  ASSERT_EQ(::chmod((stage / "roots.ass").c_str(), 0644), 0);
  WriteBytes(stage / "own.ass", kEpisode);
  ASSERT_EQ(::chown((stage / "own.ass").c_str(), kOtherUser, kOtherUser), 0);
  ASSERT_EQ(::chmod((stage / "own.ass").c_str(), 0444), 0);
  ProcessResult result =
      stage.Shift(AsOtherUser(), {(stage / "roots.ass").string(), (stage / "own.ass").string()});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(result.out, "Error\t" + (stage / "own.ass").string() + "\nError\t" +
                            (stage / "roots.ass").string() + "\n");
  EXPECT_NE(result.err.find("you may not write it"), std::string::npos) << result.err;
  EXPECT_EQ(ReadBytes(stage / "roots.ass"), kEpisode);
  EXPECT_EQ(StatOf(stage / "roots.ass").st_uid, 0u);
  EXPECT_EQ(ReadBytes(stage / "own.ass"), kEpisode);
  // Root, whom permissions do not stop, still leaves a script no one may write alone.
  ASSERT_EQ(::chmod((stage / "roots.ass").c_str(), 0444), 0);
  result = stage.Shift({(stage / "roots.ass").string()});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_NE(result.err.find("it is read-only"), std::string::npos) << result.err;
  EXPECT_EQ(ReadBytes(stage / "roots.ass"), kEpisode);
}

// Defect: a backup that root copied from a user's private script was root's, and its owner
// could not read it.
TEST(SharedFolders, ABackupCopyKeepsTheOwnerAndModeOfItsScript) {
  REQUIRE_ROOT("give files to other users");
  REQUIRE_STRACE();
  Stage stage;
  WriteBytes(stage / "a.ass", kEpisode);
  ASSERT_EQ(::chown((stage / "a.ass").c_str(), kOtherUser, kOtherUser), 0);
  ASSERT_EQ(::chmod((stage / "a.ass").c_str(), 0600), 0);
  const ProcessResult result =
      stage.Shift(Traced("link,linkat:error=EXDEV"), {(stage / "a.ass").string()});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  const struct stat backup = StatOf(stage / "Nosk_backup" / "a.ass.~1~");
  EXPECT_NE(backup.st_ino, StatOf(stage / "a.ass").st_ino);
  EXPECT_EQ(backup.st_uid, kOtherUser);
  EXPECT_EQ(backup.st_gid, kOtherUser);
  EXPECT_EQ(backup.st_mode & 07777, 0600u);
  EXPECT_EQ(ReadBytes(stage / "Nosk_backup" / "a.ass.~1~"), kEpisode);
}

// Defect: a run hung for ever when a FIFO was swapped in between the type check and the open.
TEST(SharedFolders, AFifoSwappedInNeverHangsARun) {
  if (!Available("timeout")) GTEST_SKIP() << "needs timeout";
  Stage stage;
  WriteBytes(stage / "a.ass", kEpisode);
  ASSERT_EQ(::mkfifo((stage / "fifo").c_str(), 0644), 0);
  const pid_t swapper = StartProcess(kSwapper, {stage.season.string(), "a.ass", "fifo"});
  int hung = 0;
  for (int run = 0; run < 40; ++run) {
    const ProcessResult result =
        RunProcess("timeout", {"10", kCli, "search", "--block", (stage.root / "go.txt").string(),
                               (stage / "a.ass").string()});
    if (result.exitStatus == 124) ++hung;
  }
  StopProcess(swapper);
  EXPECT_EQ(hung, 0);
}

// Defect: one script under two names (a link beside it, its folder under two spellings) got the
// edit twice.
TEST(SharedFolders, OneFileUnderTwoNamesIsRewrittenOnce) {
  Stage stage;
  WriteBytes(stage / "a.ass", kEpisode);
  fs::create_symlink("a.ass", stage / "b.ass");
  fs::create_directory_symlink(stage.season, stage.root / "alias");
  const ProcessResult result =
      stage.Shift({stage.season.string(), (stage.root / "alias").string()});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(result.out, "1\t" + (stage.root / "alias" / "a.ass").string() + "\nError\t" +
                            (stage.root / "alias" / "b.ass").string() + "\nError\t" +
                            (stage / "a.ass").string() + "\nError\t" + (stage / "b.ass").string() +
                            "\n");
  EXPECT_NE(result.err.find("the same file as " + (stage.root / "alias" / "a.ass").string()),
            std::string::npos)
      << result.err;
  EXPECT_EQ(ReadBytes(stage / "a.ass"), kShifted);
}

// Defect: a hard-linked script's "backup" was the inode its other name still shows, so an edit
// through that name changed the backup.
TEST(SharedFolders, AHardLinkedScriptGetsACopyAsItsBackup) {
  Stage stage;
  fs::create_directory(stage.root / "library");
  WriteBytes(stage / "a.ass", kEpisode);
  fs::create_hard_link(stage / "a.ass", stage.root / "library" / "a.ass");
  const ProcessResult result = stage.Shift({(stage / "a.ass").string()});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(result.out, "1\t" + (stage / "a.ass").string() + "\n");
  EXPECT_NE(result.err.find("other hard links, which keep its previous content"), std::string::npos)
      << result.err;
  EXPECT_EQ(ReadBytes(stage / "a.ass"), kShifted);
  EXPECT_EQ(ReadBytes(stage.root / "library" / "a.ass"), kEpisode);
  Append(stage.root / "library" / "a.ass", kAppended);
  EXPECT_EQ(ReadBytes(stage / "Nosk_backup" / "a.ass.~1~"), kEpisode);
}

// Defect: a backup copied to another file system was never flushed.
TEST(SharedFolders, EveryFileSystemWrittenToIsFlushed) {
  REQUIRE_ROOT("mount a tmpfs");
  REQUIRE_STRACE();
  Stage stage;
  WriteBytes(stage / "a.ass", kEpisode);
  fs::create_directory(stage / "Nosk_backup");
  const ProcessResult mounted = RunProcess(
      "mount", {"-t", "tmpfs", "-o", "size=1m", "tmpfs", (stage / "Nosk_backup").string()});
  ASSERT_EQ(mounted.exitStatus, 0) << mounted.err;
  const fs::path log = stage.root / "trace.log";
  const ProcessResult result =
      stage.Shift({"strace", "-f", "-qq", "-o", log.string(), "-e", "trace=syncfs"},
                  {(stage / "a.ass").string()});
  const std::string trace = ReadBytes(log);
  RunProcess("umount", {(stage / "Nosk_backup").string()});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  int flushes = 0;
  for (std::size_t at = 0; (at = trace.find("syncfs(", at)) != std::string::npos; ++at) ++flushes;
  EXPECT_EQ(flushes, 2) << trace;
}

// Defect: Ctrl-C left a partial temporary file behind. An interrupt at any call leaves none,
// and every script old or new.
TEST(SharedFolders, AnInterruptAnywhereLeavesNoTemporaryFile) {
  REQUIRE_STRACE();
  Season season;
  int interrupts = 0;
  for (const char* call :
       {"openat", "write", "close", "linkat", "fchmod", "renameat2", "unlinkat", "syncfs"}) {
    for (int k = 1;; ++k) {
      SCOPED_TRACE(std::string(call) + " #" + std::to_string(k));
      season.Reset();
      const ProcessResult result =
          season.Run({"strace", "-f", "-qq", "-o", "/dev/null", "-e",
                      "inject=" + std::string(call) + ":signal=SIGINT:when=" + std::to_string(k)});
      const bool interrupted = result.exitStatus == -1;
      season.CheckPromise(false);
      for (const auto& entry : fs::recursive_directory_iterator(season.Folder())) {
        EXPECT_FALSE(entry.path().filename().string().starts_with(".nosk-")) << entry.path();
      }
      if (!interrupted) break;
      ++interrupts;
      ASSERT_LT(k, 1000) << "the run never got through";
    }
  }
  std::printf("interrupted %d times\n", interrupts);
  EXPECT_GT(interrupts, 20);
}

// Temporary files that killed runs left are removed by the next run in that folder: only the
// runner's own, only those of runs no longer alive, and nothing else.
TEST(SharedFolders, TheNextRunRemovesTemporaryFilesOfDeadRuns) {
  REQUIRE_ROOT("give files to other users");
  Stage stage;
  WriteBytes(stage / "a.ass", kEpisode);
  const std::string dead = ".nosk-999999999-00112233aabbccdd.tmp";  // no such process
  const std::string alive = ".nosk-" + std::to_string(::getpid()) + "-00112233aabbccdd.tmp";
  const std::string others = ".nosk-999999998-00112233aabbccdd.tmp";
  const std::string unlike = ".nosk-notes.tmp";
  for (const std::string& name : {dead, alive, others, unlike}) WriteBytes(stage / name, "left");
  ASSERT_EQ(::chown((stage / others).c_str(), kOtherUser, kOtherUser), 0);
  const ProcessResult result = stage.Shift({(stage / "a.ass").string()});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_FALSE(fs::exists(stage / dead));
  EXPECT_TRUE(fs::exists(stage / alive));
  EXPECT_TRUE(fs::exists(stage / others));
  EXPECT_TRUE(fs::exists(stage / unlike));
}

// Defect: the first user to make Nosk_backup in a group folder locked the others out of it.
// The backup folder is shared as its folder is: with the folder's group, or, where the runner
// cannot give it that group, with its own group no better placed than everyone else.
TEST(SharedFolders, ANewBackupFolderIsSharedAsItsFolderIs) {
  REQUIRE_SETPRIV();
  constexpr gid_t kTeam = 4321;  // a group U is not in
  const struct {
    std::string name;
    bool asOtherUser;
    uid_t folderOwner;
    gid_t folderGroup;
    mode_t folderMode;
    mode_t backupMode;
    gid_t backupGroup;
  } cases[] = {
      {"root, in a group folder", false, 0, kOtherUser, 02775, 02775, kOtherUser},
      {"U, in U's folder of a group U is not in", true, kOtherUser, kTeam, 0751, 0711, kOtherUser},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Stage stage;
    WriteBytes(stage / "a.ass", kEpisode);
    ASSERT_EQ(::chown((stage / "a.ass").c_str(), c.folderOwner, c.folderOwner), 0);
    ASSERT_EQ(::chown(stage.season.c_str(), c.folderOwner, c.folderGroup), 0);
    ASSERT_EQ(::chmod(stage.season.c_str(), c.folderMode), 0);
    std::vector<std::string> wrapper = c.asOtherUser ? AsOtherUser() : std::vector<std::string>{};
    wrapper.insert(wrapper.end(), {"sh", "-c", "umask 077 && exec \"$@\"", "sh"});
    const ProcessResult result = stage.Shift(wrapper, {(stage / "a.ass").string()});
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    const struct stat backups = StatOf(stage / "Nosk_backup");
    EXPECT_EQ(backups.st_mode & 07777, c.backupMode);
    EXPECT_EQ(backups.st_gid, c.backupGroup);
  }
}

// In a folder two users work in, each records and undoes their own runs; root takes back
// another user's run only when it names that user, and the undo is then that user's.
TEST(SharedFolders, EachUserUndoesTheirOwnRuns) {
  REQUIRE_SETPRIV();
  Stage stage;
  // A team folder: root's, with U's group, which may write it.
  ASSERT_EQ(::chown(stage.season.c_str(), 0, kOtherUser), 0);
  ASSERT_EQ(::chmod(stage.season.c_str(), 02775), 0);
  WriteBytes(stage / "u.ass", kEpisode);
  ASSERT_EQ(::chown((stage / "u.ass").c_str(), kOtherUser, kOtherUser), 0);
  WriteBytes(stage / "root.ass", kEpisode);
  const auto asOther = [&](std::vector<std::string> arguments) {
    return stage.Cli(AsOtherUser(), std::move(arguments));
  };
  ASSERT_EQ(stage.Shift(AsOtherUser(), {(stage / "u.ass").string()}).exitStatus, 0);
  ASSERT_EQ(stage.Shift({(stage / "root.ass").string()}).exitStatus, 0);
  // Each one's undo takes back that one's own run, whoever ran last.
  ProcessResult r = asOther({"undo", "--", stage.season.string()});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.out, "1\t" + (stage / "u.ass").string() + "\n");
  EXPECT_EQ(ReadBytes(stage / "u.ass"), kEpisode);
  EXPECT_EQ(ReadBytes(stage / "root.ass"), kShifted);
  ASSERT_EQ(stage.Shift(AsOtherUser(), {(stage / "u.ass").string()}).exitStatus, 0);
  r = RunProcess(kCli, {"undo", "--", stage.season.string()});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.out, "1\t" + (stage / "root.ass").string() + "\n");
  EXPECT_EQ(ReadBytes(stage / "u.ass"), kShifted);
  // Root, naming U: U's last run, recorded in U's journal.
  r = RunProcess(kCli, {"undo", "--user", std::to_string(kOtherUser), "--", stage.season.string()});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(ReadBytes(stage / "u.ass"), kEpisode);
  const struct stat journal =
      StatOf(stage / "Nosk_backup" / ("journal-" + std::to_string(kOtherUser) + ".txt"));
  EXPECT_EQ(journal.st_uid, kOtherUser);
  EXPECT_EQ(journal.st_mode & 07777, 0644u);  // the team reads its history, only U writes it
  // U may not name root.
  r = asOther({"undo", "--user", "0", "--", stage.season.string()});
  EXPECT_EQ(r.exitStatus, 2);
  EXPECT_NE(r.err.find("only root may take back another user's runs"), std::string::npos) << r.err;
}

// Two runs at once over the same scripts, a shift and a text replacement, again and again: every
// script ends with both edits, or with one and a reason for the other.
TEST(SharedFolders, ConcurrentRunsLoseNoEdit) {
  TempFolder root;
  const fs::path season = root / "season";
  fs::create_directory(season);
  WriteBytes(root / "go.txt", kGo);
  WriteBytes(root / "come.txt", "Dialogue: 0,0:00:00.00,0:00:00.00,Default,,0,0,0,,Come on.\n");
  const std::vector<std::string> shift = {"shift", "--by", "0:00:01.00", season.string()};
  const std::vector<std::string> replace = {"replace",
                                            "--match",
                                            "text",
                                            "--mode",
                                            "text",
                                            "--block",
                                            (root / "go.txt").string(),
                                            "--with",
                                            (root / "come.txt").string(),
                                            season.string()};
  // Each edit alone and both, as one run after the other gives them.
  std::map<std::string, std::string> expected;
  for (const auto& [name, runs] :
       std::map<std::string, std::vector<const std::vector<std::string>*>>{
           {"shift", {&shift}}, {"replace", {&replace}}, {"both", {&shift, &replace}}}) {
    fs::remove_all(season);
    fs::create_directory(season);
    WriteBytes(season / "a.ass", kEpisode);
    for (const auto* run : runs) ASSERT_EQ(RunProcess(kCli, *run).exitStatus, 0);
    expected[name] = ReadBytes(season / "a.ass");
  }
  for (int repetition = 0; repetition < 20; ++repetition) {
    SCOPED_TRACE(repetition);
    fs::remove_all(season);
    fs::create_directory(season);
    for (int i = 0; i < 300; ++i) {
      WriteBytes(season / ("e" + std::to_string(1000 + i) + ".ass"), kEpisode);
    }
    auto shifting = std::async(std::launch::async, [&] { return RunProcess(kCli, shift); });
    auto replacing = std::async(std::launch::async, [&] { return RunProcess(kCli, replace); });
    const ProcessResult shifted = shifting.get();
    const ProcessResult replaced = replacing.get();
    for (int i = 0; i < 300; ++i) {
      const fs::path path = season / ("e" + std::to_string(1000 + i) + ".ass");
      const std::string content = ReadBytes(path);
      const bool shiftFailed = shifted.out.find("Error\t" + path.string()) != std::string::npos;
      const bool replaceFailed = replaced.out.find("Error\t" + path.string()) != std::string::npos;
      const std::string& want = shiftFailed     ? expected.at("replace")
                                : replaceFailed ? expected.at("shift")
                                                : expected.at("both");
      ASSERT_EQ(content, want) << path << "\n" << shifted.err << replaced.err;
      if (shiftFailed || replaceFailed) {
        EXPECT_NE((shifted.err + replaced.err).find(path.string() + ": "), std::string::npos);
      }
    }
  }
}

// Defect: the run lock was flock on the folder, which anyone who may read it can take, and keep
// the owner's runs waiting, then refused. The lock is a file in Nosk_backup that exactly the
// folder's writers may open; a run that made Nosk_backup only to lock it removes it again.
TEST(SharedFolders, OnlyTheFoldersWritersCanHoldItsLock) {
  REQUIRE_SETPRIV();
  if (!Available("flock")) GTEST_SKIP() << "needs flock (util-linux)";
  const struct {
    mode_t folder;
    mode_t lock;
  } modes[] = {{0755, 0600}, {02775, 0660}, {0777, 0666}, {01777, 0666}};
  for (const auto& m : modes) {
    SCOPED_TRACE(m.folder);
    Stage stage;
    WriteBytes(stage / "a.ass", kEpisode);
    ASSERT_EQ(::chmod(stage.season.c_str(), m.folder), 0);
    ASSERT_EQ(stage.Shift({(stage / "a.ass").string()}).exitStatus, 0);
    EXPECT_EQ(StatOf(stage / "Nosk_backup" / "lock").st_mode & 07777, m.lock);
  }
  // U may read root's folder, and holds a lock on the folder and tries the lock file: root's
  // run neither waits nor is refused.
  Stage stage;
  WriteBytes(stage / "a.ass", kEpisode);
  ASSERT_EQ(::chmod(stage.season.c_str(), 0755), 0);
  ASSERT_EQ(stage.Shift({(stage / "a.ass").string()}).exitStatus, 0);
  std::vector<std::string> reader = AsOtherUser();
  reader.insert(reader.end(),
                {"flock", "--nonblock", (stage / "Nosk_backup" / "lock").string(), "true"});
  const std::string program = reader.front();
  reader.erase(reader.begin());
  EXPECT_NE(RunProcess(program, reader).exitStatus, 0) << "a reader opened the lock file";
  std::vector<std::string> holder = AsOtherUser();
  holder.insert(holder.end(), {"flock", stage.season.string(), "sleep", "2"});
  const std::string holding = holder.front();
  holder.erase(holder.begin());
  const pid_t held = StartProcess(holding, holder);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const ProcessResult result = RunProcess(
      kCli, {"shift", "--by", "0:00:01.50", "--wait", "0.5", (stage / "a.ass").string()});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(result.err.find("waiting"), std::string::npos) << result.err;
  StopProcess(held);

  // Nothing to change: the backup folder made for the lock goes again.
  Stage empty;
  WriteBytes(empty / "a.ass", kEpisode);
  WriteBytes(empty.root / "absent.txt", "Dialogue: 0,0:00:01.00,0:00:02.00,D,,0,0,0,,absent\n");
  const ProcessResult absent =
      RunProcess(kCli, {"replace", "--block", (empty.root / "absent.txt").string(), "--with",
                        (empty.root / "go.txt").string(), "--", (empty / "a.ass").string()});
  EXPECT_EQ(absent.out, "0\t" + (empty / "a.ass").string() + "\n") << absent.err;
  EXPECT_FALSE(fs::exists(empty / "Nosk_backup"));
}

// In a folder everyone may write, another user can replace the lock file and the runner's
// journal in Nosk_backup by links to the runner's own files: neither is ever followed, and the
// runner's scripts are left alone with the reason.
TEST(SharedFolders, APlantedLockOrJournalIsNeverFollowed) {
  REQUIRE_SETPRIV();
  Stage stage;
  WriteBytes(stage / "a.ass", kEpisode);
  ASSERT_EQ(stage.Shift({(stage / "a.ass").string()}).exitStatus, 0);
  fs::create_directory(stage.root / "private");
  WriteBytes(stage.root / "private" / "secret", "the secret");
  const std::string journal = "journal-" + std::to_string(::geteuid()) + ".txt";
  const struct {
    const char* name;
    std::string planted;
    const char* reason;
  } cases[] = {{"the lock file", "lock", "Can't lock the folder"},
               {"the journal", journal, "can't write the run journal"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    // U, who may write the backup folder as everyone may, swaps the file for a link.
    std::vector<std::string> plant = AsOtherUser();
    plant.insert(plant.end(), {"sh", "-c", "rm -f \"$1\" && ln -s \"$2\" \"$1\"", "sh",
                               (stage / "Nosk_backup" / c.planted).string(),
                               (stage.root / "private" / "secret").string()});
    const std::string program = plant.front();
    plant.erase(plant.begin());
    ASSERT_EQ(RunProcess(program, plant).exitStatus, 0);
    ASSERT_TRUE(fs::is_symlink(stage / "Nosk_backup" / c.planted));
    const std::string before = ReadBytes(stage / "a.ass");
    const ProcessResult result = stage.Shift({(stage / "a.ass").string()});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_NE(result.err.find(c.reason), std::string::npos) << result.err;
    EXPECT_EQ(ReadBytes(stage / "a.ass"), before);
    EXPECT_EQ(ReadBytes(stage.root / "private" / "secret"), "the secret");
    EXPECT_TRUE(fs::is_symlink(stage / "Nosk_backup" / c.planted));
    fs::remove(stage / "Nosk_backup" / c.planted);
  }
}

// A second run waits for the first in the same folder, and says so; past its limit it refuses
// that folder's scripts with a reason.
TEST(SharedFolders, ASecondRunWaitsForTheFirst) {
  if (!Available("flock")) GTEST_SKIP() << "needs flock (util-linux)";
  Stage stage;
  WriteBytes(stage / "a.ass", kEpisode);
  // Another run holds the folder's lock for two seconds.
  fs::create_directory(stage / "Nosk_backup");
  WriteBytes(stage / "Nosk_backup" / "lock", "");
  const pid_t holder =
      StartProcess("flock", {(stage / "Nosk_backup" / "lock").string(), "sleep", "2"});
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ProcessResult result = RunProcess(
      kCli, {"shift", "--by", "0:00:01.50", "--wait", "0.5", (stage / "a.ass").string()});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_NE(result.err.find("nosk-cli: waiting for another Nosk run on " + stage.season.string()),
            std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find("another Nosk run kept working on"), std::string::npos) << result.err;
  EXPECT_EQ(ReadBytes(stage / "a.ass"), kEpisode);
  result = RunProcess(kCli, {"shift", "--by", "0:00:01.50", (stage / "a.ass").string()});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(ReadBytes(stage / "a.ass"), kShifted);
  int status = 0;
  waitpid(holder, &status, 0);
}

}  // namespace
}  // namespace nosk::cli
