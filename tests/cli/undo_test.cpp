// Undo and history from the command line: what a run wrote is taken back only where it still
// stands, an undo is a run of its own, and the journal holds whole records only.
#include <gtest/gtest.h>

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

TEST(Undo, TakesBackAShiftAReplaceAndItself) {
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
  r = shelf.Undo();  // the undo: the replace again
  EXPECT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(shelf.Contents(), replaced);
  r = shelf.Undo();  // that undo's undo
  EXPECT_EQ(shelf.Contents(), shifted);

  // History lists every run, newest first: the shift is the oldest.
  r = shelf.Run({"history", shelf.folder.string()});
  EXPECT_EQ(r.exitStatus, 0);
  EXPECT_NE(r.out.find("Undo of run"), std::string::npos);
  EXPECT_LT(r.out.find("Undo of run"), r.out.find("Replace: text only"));
  EXPECT_LT(r.out.find("Replace: text only"), r.out.find("Shift Times +0:00:01.50"));
  EXPECT_NE(r.out.find("    a.ass  (previous version: a.ass.~1~)"), std::string::npos);
  EXPECT_EQ(original.at("a.ass"), kEpisode);
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

// A run killed while it works leaves the earlier records whole, and undo takes back the last
// whole one where it still stands.
TEST(Undo, AJournalAfterAKilledRunHoldsTheEarlierRecords) {
  REQUIRE_STRACE();
  Shelf shelf;
  ASSERT_EQ(shelf.Shift().exitStatus, 0);
  const auto shifted = shelf.Contents();
  const std::string journal = ReadBytes(shelf.folder / "Nosk_backup" / "journal.txt");
  // Killed at the write of its journal record: the scripts are replaced, the record is not.
  const ProcessResult killed =
      RunProcess("strace", {"-f",
                            "-qq",
                            "-o",
                            "/dev/null",
                            "-e",
                            "inject=write:signal=SIGKILL:when=1+",
                            "-e",
                            "trace=write",
                            "-P",
                            (shelf.folder / "Nosk_backup" / "journal.txt").string(),
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
  EXPECT_EQ(killed.exitStatus, -1);
  EXPECT_EQ(ReadBytes(shelf.folder / "Nosk_backup" / "journal.txt"), journal);
  const ProcessResult history = shelf.Run({"history", shelf.folder.string()});
  EXPECT_EQ(history.out.find("Replace"), std::string::npos) << history.out;
  // The replaced scripts no longer hold what the shift wrote: undo leaves them alone.
  const ProcessResult r = shelf.Undo();
  EXPECT_EQ(r.exitStatus, 1);
  EXPECT_NE(r.err.find("changed since that run"), std::string::npos);
  EXPECT_NE(shelf.Contents(), shifted);
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
