// Undo and history from the command line: what a run wrote is taken back only where it still
// stands, an undo is a run of its own, and the journal holds whole records only.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "tests/cli/faultseason.h"

namespace nosk::cli {
namespace {

using namespace faults;

const std::string kEpisode = ReadBytes(kData / "episode.ass");

// Three scripts in a folder, and the block files of a replacement.
struct Shelf {
  TempFolder root;
  fs::path folder = root / "season";
  Shelf() {
    fs::create_directory(folder);
    WriteBytes(root / "go.txt", "Dialogue: 0,0:00:08.00,0:00:10.00,Default,Aki,0,0,0,,Let's go.\n");
    WriteBytes(root / "come.txt", "Dialogue: 0,0:00:00.00,0:00:00.00,Default,,0,0,0,,Come on.\n");
    for (const char* name : {"a.ass", "b.ass", "c.ass"}) WriteBytes(folder / name, kEpisode);
  }
  std::string operator/(const char* name) const { return (folder / name).string(); }
  ProcessResult Run(std::vector<std::string> arguments) const {
    return RunProcess(kCli, std::move(arguments));
  }
  ProcessResult Shift() const { return Run({"shift", "--by", "0:00:01.50", folder.string()}); }
  ProcessResult Replace() const {
    return Run({"replace", "--match", "text", "--mode", "text", "--block",
                (root / "go.txt").string(), "--with", (root / "come.txt").string(),
                folder.string()});
  }
  ProcessResult Undo(std::vector<std::string> paths = {}) const {
    std::vector<std::string> arguments = {"undo"};
    if (paths.empty()) paths = {folder.string()};
    arguments.insert(arguments.end(), paths.begin(), paths.end());
    return Run(arguments);
  }
  std::map<std::string, std::string> Contents() const {
    std::map<std::string, std::string> contents;
    for (const char* name : {"a.ass", "b.ass", "c.ass"}) contents[name] = ReadBytes(folder / name);
    return contents;
  }
};

// Each undo steps one run further back; redo puts back what the last undo took, and after a
// redo an undo takes that back; --run takes back one run of history.
TEST(Undo, StepsBackRedoesAndTakesBackANamedRun) {
  Shelf shelf;
  const auto original = shelf.Contents();
  ASSERT_EQ(shelf.Shift().exitStatus, 0);
  const auto shifted = shelf.Contents();
  ASSERT_EQ(shelf.Replace().exitStatus, 0);
  const auto replaced = shelf.Contents();
  ASSERT_NE(replaced, shifted);

  ProcessResult r = shelf.Undo();  // the replace
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.out,
            "1\t" + shelf / "a.ass" + "\n1\t" + shelf / "b.ass" + "\n1\t" + shelf / "c.ass" + "\n");
  EXPECT_EQ(shelf.Contents(), shifted);
  r = shelf.Undo();  // one further back: the shift
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(shelf.Contents(), original);
  r = shelf.Undo();  // nothing is left to take back
  EXPECT_EQ(r.exitStatus, 1);
  EXPECT_NE(r.err.find("every run recorded in this folder is taken back already"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(shelf.Contents(), original);
  r = shelf.Run({"redo", shelf.folder.string()});  // the shift again
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(shelf.Contents(), shifted);
  r = shelf.Run({"redo", shelf.folder.string()});  // and the replace
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(shelf.Contents(), replaced);
  r = shelf.Run({"redo", shelf.folder.string()});
  EXPECT_EQ(r.exitStatus, 1);
  EXPECT_NE(r.err.find("no undo to put back"), std::string::npos) << r.err;
  r = shelf.Undo();  // what the last redo put back: the replace
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(shelf.Contents(), shifted);
  r = shelf.Run({"undo", "--run", "20000101-000000-00000000", shelf.folder.string()});
  EXPECT_EQ(r.exitStatus, 1);
  EXPECT_NE(r.err.find("no run 20000101-000000-00000000 is recorded"), std::string::npos) << r.err;

  // History lists every run, newest first: the shift is the oldest.
  r = shelf.Run({"history", shelf.folder.string()});
  EXPECT_EQ(r.exitStatus, 0);
  EXPECT_NE(r.out.find("Undo of run"), std::string::npos);
  EXPECT_NE(r.out.find("Redo: the undo"), std::string::npos);
  EXPECT_LT(r.out.find("Undo of run"), r.out.find("Replace: text only"));
  EXPECT_LT(r.out.find("Replace: text only"), r.out.find("Shift Times +0:00:01.50"));
  // The replace is taken back again (the last undo took back the redo that put it back); the
  // shift is in place.
  const auto header = [&](const std::string& summary) {
    const std::size_t at = r.out.find("\n  " + summary);
    return r.out.substr(r.out.rfind('\n', at - 1) + 1, at - r.out.rfind('\n', at - 1) - 1);
  };
  EXPECT_NE(header("Replace: text only").find("(taken back)"), std::string::npos) << r.out;
  EXPECT_EQ(header("Shift Times +0:00:01.50").find("(taken back)"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("    a.ass  (previous version: a.ass.~1~)"), std::string::npos);
  EXPECT_EQ(original.at("a.ass"), kEpisode);
}

// A run named after a later run was undone: its scripts are the files that undo wrote, with the
// content it left, and it is taken back from them.
TEST(Undo, TakesBackANamedRunBeforeAnUndoneOne) {
  Shelf shelf;
  const auto original = shelf.Contents();
  ASSERT_EQ(shelf.Shift().exitStatus, 0);
  ASSERT_EQ(shelf.Replace().exitStatus, 0);
  ASSERT_EQ(shelf.Undo().exitStatus, 0);  // the replace
  ProcessResult r = shelf.Run({"history", shelf.folder.string()});
  ASSERT_EQ(r.exitStatus, 0) << r.err;
  // Newest first: the shift's id is the last one listed.
  const std::size_t shift = r.out.rfind("  run ");
  ASSERT_NE(shift, std::string::npos) << r.out;
  const std::string id = r.out.substr(shift + 6, r.out.find(' ', shift + 6) - shift - 6);
  r = shelf.Run({"undo", "--run", id, shelf.folder.string()});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(shelf.Contents(), original);
}

// A script changed since the run keeps its change; a backup changed since is not restored; a
// script named alone is the only one taken back.
TEST(Undo, LeavesAloneWhatChangedSinceTheRun) {
  Shelf shelf;
  ASSERT_EQ(shelf.Shift().exitStatus, 0);
  const auto shifted = shelf.Contents();
  WriteBytes(shelf.folder / "a.ass",
             shifted.at("a.ass") + "Comment: 0,0:00:00.00,0:00:00.00,D,,0,0,0,,mine\r\n");
  WriteBytes(shelf.folder / "Nosk_backup" / "b.ass.~1~", "a teammate's text");
  ProcessResult r = shelf.Undo();
  EXPECT_EQ(r.exitStatus, 1);
  EXPECT_EQ(r.out, "Error\t" + shelf / "a.ass" + "\nError\t" + shelf / "b.ass" + "\n1\t" +
                       shelf / "c.ass" + "\n");
  EXPECT_NE(r.err.find(shelf / "a.ass" + ": changed since that run"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find(shelf / "b.ass" + ": its backup b.ass.~1~ changed since"), std::string::npos)
      << r.err;
  EXPECT_NE(ReadBytes(shelf.folder / "a.ass"), shifted.at("a.ass"));
  EXPECT_EQ(ReadBytes(shelf.folder / "b.ass"), shifted.at("b.ass"));
  EXPECT_EQ(ReadBytes(shelf.folder / "c.ass"), kEpisode);

  // A script named alone: of the last run (the undo of c.ass), only that one.
  Shelf other;
  ASSERT_EQ(other.Shift().exitStatus, 0);
  r = other.Undo({other / "b.ass"});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(r.out, "1\t" + other / "b.ass" + "\n");
  EXPECT_EQ(ReadBytes(other.folder / "b.ass"), kEpisode);
  EXPECT_NE(ReadBytes(other.folder / "a.ass"), kEpisode);
}

TEST(Undo, SaysWhenNoRunIsRecorded) {
  Shelf shelf;
  const ProcessResult r = shelf.Undo();
  EXPECT_EQ(r.exitStatus, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "nosk-cli: " + shelf.folder.string() + ": no run is recorded in this folder\n");
  EXPECT_EQ(shelf.Run({"history", shelf.folder.string()}).err,
            "nosk-cli: no run is recorded in " + shelf.folder.string() + "\n");
}

// A run killed while it works is recorded as far as it went: history says it was
// interrupted, and undo takes back exactly the scripts it replaced (the others still hold
// what the run before wrote), or, when it replaced nothing, the run before.
TEST(Undo, TakesBackARunKilledPartwayAsFarAsItWent) {
  REQUIRE_STRACE();
  const std::string journalName = "journal-" + std::to_string(::geteuid()) + ".txt";
  // The replace writes its journal's header, then a.ass's lines before its exchange, then the
  // lines after it with b.ass's before its own, then b.ass's after it with the end: it is killed
  // at one of these writes.
  const struct {
    int write;
    bool replacedAny;
  } cases[] = {{1, false}, {2, false}, {3, true}, {4, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE("killed at the journal's write " + std::to_string(c.write));
    Shelf shelf;
    const auto original = shelf.Contents();
    ASSERT_EQ(shelf.Shift().exitStatus, 0);
    const auto shifted = shelf.Contents();
    const fs::path journal = shelf.folder / "Nosk_backup" / journalName;
    const ProcessResult killed =
        RunProcess("strace", {"-f",
                              "-qq",
                              "-o",
                              "/dev/null",
                              "-e",
                              "inject=write:signal=SIGKILL:when=" + std::to_string(c.write),
                              "-e",
                              "trace=write",
                              "-P",
                              journal.string(),
                              kCli,
                              "replace",
                              "--match",
                              "text",
                              "--mode",
                              "text",
                              "--block",
                              (shelf.root / "go.txt").string(),
                              "--with",
                              (shelf.root / "come.txt").string(),
                              shelf.folder.string()});
    ASSERT_EQ(killed.exitStatus, -1) << killed.err;
    const ProcessResult history = shelf.Run({"history", shelf.folder.string()});
    EXPECT_EQ(history.out.find("interrupted") != std::string::npos, c.replacedAny) << history.out;
    const ProcessResult r = shelf.Undo();
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(shelf.Contents(), c.replacedAny ? shifted : original);
  }
}

// A script shifted through a link of its owner's is taken back through that link too: the
// record is in the target's folder.
TEST(Undo, FindsTheRecordOfAScriptReachedThroughALink) {
  Shelf shelf;
  const auto original = shelf.Contents();
  fs::create_directory(shelf.root / "links");
  fs::create_symlink(shelf.folder / "a.ass", shelf.root / "links" / "a.ass");
  const std::string link = (shelf.root / "links" / "a.ass").string();
  ASSERT_EQ(shelf.Run({"shift", "--by", "0:00:01.50", "--", link}).exitStatus, 0);
  ASSERT_NE(shelf.Contents(), original);
  const ProcessResult r = shelf.Undo({link});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(shelf.Contents(), original);
}

// A -r run comes back to a folder after a subfolder ("b-extras/" sorts between a.ass and
// b.ass), and writes two records with one id there: undo -r takes the whole run back, in every
// folder; folders whose last runs differ are each taken back, and the undo says so.
TEST(Undo, TakesBackARecursiveRunInEveryFolder) {
  Shelf shelf;
  const fs::path extras = shelf.folder / "b-extras";
  fs::create_directory(extras);
  WriteBytes(extras / "x.ass", kEpisode);
  const auto original = shelf.Contents();
  ProcessResult r = shelf.Run({"shift", "-r", "--by", "0:00:01.50", shelf.folder.string()});
  ASSERT_EQ(r.exitStatus, 0) << r.err;
  ASSERT_NE(shelf.Contents(), original);
  const std::string history = shelf.Run({"history", shelf.folder.string()}).out;
  EXPECT_EQ(history.find("  run "), history.rfind("  run ")) << "one run: " << history;
  EXPECT_NE(history.find("    c.ass"), std::string::npos) << history;
  r = shelf.Run({"undo", "-r", shelf.folder.string()});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(shelf.Contents(), original);
  EXPECT_EQ(ReadBytes(extras / "x.ass"), kEpisode);
  EXPECT_EQ(r.err.find("not one run"), std::string::npos) << r.err;

  // Two runs, one per folder.
  ASSERT_EQ(shelf.Shift().exitStatus, 0);
  ASSERT_EQ(shelf.Run({"shift", "--by", "0:00:01.50", extras.string()}).exitStatus, 0);
  r = shelf.Run({"undo", "-r", shelf.folder.string()});
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_NE(r.err.find("the folders' last runs are not one run"), std::string::npos) << r.err;
  EXPECT_EQ(shelf.Contents(), original);
  EXPECT_EQ(ReadBytes(extras / "x.ass"), kEpisode);
}

// A run of a thousand scripts stopped partway by Ctrl-C, SIGTERM, SIGHUP or kill -9: undo takes
// back exactly what it replaced, and the season is as it was, with no temporary file left.
TEST(Undo, TakesBackARunStoppedBySignalPartway) {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGKILL}) {
    SCOPED_TRACE(strsignal(signal));
    TempFolder root;
    const fs::path folder = root / "season";
    fs::create_directory(folder);
    for (int i = 0; i < 1000; ++i)
      WriteBytes(folder / ("ep" + std::to_string(i) + ".ass"), kEpisode);
    const pid_t run = testsupport::StartProcess(kCli, {"shift", "--by", "1s", folder.string()});
    // Stopped once its journal holds a script: partway, however fast the machine is.
    const fs::path journal =
        folder / "Nosk_backup" / ("journal-" + std::to_string(::geteuid()) + ".txt");
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < giveUp &&
           ReadBytes(journal).find("  script ") == std::string::npos) {
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    ::kill(run, signal);
    int status = 0;
    ::waitpid(run, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status) || WEXITSTATUS(status) != 0)
        << "the run ended before the signal";
    int shifted = 0;
    for (int i = 0; i < 1000; ++i) {
      shifted += ReadBytes(folder / ("ep" + std::to_string(i) + ".ass")) != kEpisode ? 1 : 0;
    }
    const ProcessResult undo = RunProcess(kCli, {"undo", folder.string()});
    if (shifted > 0) {
      EXPECT_EQ(undo.exitStatus, 0) << undo.err;
    }
    for (const auto& entry : fs::directory_iterator(folder)) {
      const std::string name = entry.path().filename().string();
      // kill -9 leaves the temporary file it was writing; the folder's next rewriting run (the
      // undo, when there was anything to take back) removes it.
      if (name.starts_with(".nosk-")) {
        EXPECT_TRUE(signal == SIGKILL && shifted == 0) << name;
        continue;
      }
      if (entry.is_regular_file()) {
        EXPECT_EQ(ReadBytes(entry.path()), kEpisode) << name;
      }
    }
  }
}

// A record as another user could write it, its check made right: whoever forges a record can
// compute a SHA-256 as well as Nosk.
std::string Forged(const std::string& id, const std::string& script, const std::string& backup) {
  const std::string body =
      "run " + id + "\n  time 2026-12-11 00:00:00 UTC\n  summary \x1b[2Jforged\n" + "  script " +
      script + "\n    backup " + backup + "\n    before file 1:1 1 1 1\n    after file 1:1 1 1 1\n";
  WriteBytes("/tmp/nosk-forged-record", body);
  const std::string sum =
      RunProcess("sh", {"-c", "sha256sum /tmp/nosk-forged-record | cut -c1-64"}).out;
  fs::remove("/tmp/nosk-forged-record");
  return body + "end " + id + " sha256:" + sum.substr(0, 64) + "\n";
}

// Undo trusts only records its runner alone could have written: another user's journal, the
// shared journal of old when someone else wrote it, and the runner's own journal taken over
// by someone else are never read for an undo; history shows whose each run is, refuses what
// names a path, and prints no terminal control of a record.
TEST(Undo, TrustsOnlyTheRunnersOwnJournal) {
  REQUIRE_ROOT("give files to another user");
  constexpr unsigned kOther = 1234;
  Shelf shelf;
  const auto original = shelf.Contents();
  ASSERT_EQ(shelf.Shift().exitStatus, 0);
  const fs::path backups = shelf.folder / "Nosk_backup";
  const fs::path own = backups / ("journal-" + std::to_string(::geteuid()) + ".txt");
  // Another user's runs, one of them naming a path out of the folder, in the journal of their
  // own and in the shared one of old.
  for (const char* name : {"journal-1234.txt", "journal.txt"}) {
    WriteBytes(backups / name, Forged("20991231-000000-00000001", "a.ass", "a.ass.~1~") +
                                   Forged("20991231-000000-00000002", "../../etc/passwd", "x"));
    ASSERT_EQ(::chown((backups / name).c_str(), kOther, kOther), 0);
  }
  ProcessResult history = shelf.Run({"history", shelf.folder.string()});
  EXPECT_EQ(history.exitStatus, 1);
  EXPECT_NE(history.err.find("the record of run 20991231-000000-00000002 is not trusted: it names "
                             "../../etc/passwd"),
            std::string::npos)
      << history.err;
  EXPECT_NE(history.out.find("run 20991231-000000-00000001  by user 1234"), std::string::npos)
      << history.out;
  EXPECT_EQ(history.out.find('\x1b'), std::string::npos);
  EXPECT_NE(history.out.find("\"\\033[2Jforged\""), std::string::npos) << history.out;

  // The runner's own journal, given to another user: nothing in it is trusted.
  ASSERT_EQ(::chown(own.c_str(), kOther, kOther), 0);
  ProcessResult r = shelf.Undo();
  EXPECT_EQ(r.exitStatus, 1);
  EXPECT_NE(r.err.find("belongs to user 1234, not to the user it is for"), std::string::npos)
      << r.err;
  EXPECT_NE(shelf.Contents(), original);
  ASSERT_EQ(::chown(own.c_str(), ::geteuid(), ::getegid()), 0);
  // Back in the runner's hands: the runner's own last run is the one taken back.
  r = shelf.Undo();
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(shelf.Contents(), original);
}

// The undo killed at any call: every script ends as the run left it or restored, and what it
// took back is in a backup: never lost.
TEST(Undo, KilledAtAnyPointLosesNothing) {
  REQUIRE_STRACE();
  int kills = 0;
  for (const char* call : {"openat", "write", "linkat", "renameat2", "unlinkat", "fchmod"}) {
    for (int k = 1;; ++k) {
      SCOPED_TRACE(std::string(call) + " #" + std::to_string(k));
      Shelf shelf;
      ASSERT_EQ(shelf.Shift().exitStatus, 0);
      const auto shifted = shelf.Contents();
      const char* options = std::getenv("ASAN_OPTIONS");
      const ProcessResult result = RunProcess(
          "env",
          {std::string("ASAN_OPTIONS=") + (options != nullptr ? options : "") + ":detect_leaks=0",
           "strace", "-f", "-qq", "-o", "/dev/null", "-e",
           "inject=" + std::string(call) + ":signal=SIGKILL:when=" + std::to_string(k), kCli,
           "undo", shelf.folder.string()});
      // Each script old or restored; a restored one has what the shift wrote in a backup.
      for (const auto& [name, content] : shelf.Contents()) {
        EXPECT_TRUE(content == shifted.at(name) || content == kEpisode) << name;
        if (content != kEpisode) continue;
        bool kept = false;
        for (const auto& entry : fs::directory_iterator(shelf.folder / "Nosk_backup")) {
          kept = kept || ReadBytes(entry.path()) == shifted.at(name);
        }
        EXPECT_TRUE(kept) << name << ": the version taken back is in no backup";
      }
      const bool killed = result.exitStatus == -1;
      if (killed) {
        ++kills;
        // The undo is recorded as far as it went: the next undo takes back the scripts it did
        // not get to, and leaves the others. Never a season half one, half the other.
        const ProcessResult again = shelf.Undo();
        for (const auto& [name, content] : shelf.Contents()) {
          EXPECT_EQ(content, kEpisode) << name << ": " << again.err;
        }
      } else {
        EXPECT_EQ(result.exitStatus, 0) << result.err;
        for (const auto& [name, content] : shelf.Contents()) EXPECT_EQ(content, kEpisode) << name;
        break;
      }
      ASSERT_LT(k, 1000) << "the undo never got through";
    }
  }
  std::printf("killed %d times\n", kills);
  EXPECT_GT(kills, 10);
}

}  // namespace
}  // namespace nosk::cli
