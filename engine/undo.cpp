#include "engine/undo.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <map>
#include <optional>

#include "engine/folderinuse.h"
#include "engine/scriptreplacement.h"
#include "engine/writtenfilesystems.h"
#include "script/backupfolder.h"
#include "script/progressphase.h"
#include "script/scriptio.h"
#include "script/scriptlocation.h"
#include "script/temporaryfile.h"

namespace nosk::engine {
namespace {

// "the run of 2026-12-10 04:35:12 UTC (Shift Times ...)", for reasons and summaries.
std::string RunName(const JournalRecord& record) {
  return "the run of " + record.time + " (" + record.summary + ")";
}

// A file of a folder, opened and read as a script is.
script::Outcome ReadEntry(script::Host& host, const script::ScriptLocation& location,
                          script::FileDescriptor& file, script::TSubtitleFile& content) {
  script::FileIdentity identity;
  if (script::Outcome opened = script::OpenScript(location, file, identity); !opened) {
    return opened;
  }
  return script::LoadScriptFrom(host, file, identity, location.listed, content);
}

std::string_view Bytes(const script::TSubtitleFile& content) {
  return content.GetLines(0, content.LineCount());
}

// Takes back one script of `record`: the folder in use is the script's.
ScriptResult UndoScript(script::Host& host, const script::Folder& folder,
                        const JournalRecord& record, const JournalEntry& entry,
                        FolderInUse& folderInUse, WrittenFileSystems& written) {
  const auto failed = [](const script::Outcome& outcome) {
    return ScriptResult::Failure(outcome.reason(), outcome.serious());
  };
  script::ScriptLocation location;
  location.listed = folder.PathOf(entry.script);
  location.folder = folder;
  location.name = entry.script;
  script::FileDescriptor file;
  script::TSubtitleFile current;
  if (script::Outcome read = ReadEntry(host, location, file, current); !read) return failed(read);
  if (FileState::Of(current.SourceIdentity()) != entry.after) {
    return ScriptResult::Failure("changed since that run: it is no longer the file " +
                                 RunName(record) + " wrote, so it was left alone");
  }
  script::BackupFolder* backups = nullptr;
  if (script::Outcome opened = folderInUse.Backups(folder, backups, false); !opened) {
    return failed(opened);
  }
  script::ScriptLocation backupLocation;
  backupLocation.listed = backups->Get().PathOf(entry.backup);
  backupLocation.folder = backups->Get();
  backupLocation.name = entry.backup;
  script::FileDescriptor backupFile;
  script::TSubtitleFile previous;
  if (script::Outcome read = ReadEntry(host, backupLocation, backupFile, previous); !read) {
    return ScriptResult::Failure("its backup " + entry.backup + " can't be read: " + read.reason());
  }
  // A backup is the script's own inode, or a copy with its owner or the runner's: one that
  // someone else put there is never restored into the script.
  static const uid_t runner = ::geteuid();
  const unsigned backupOwner = previous.SourceIdentity().owner;
  if (backupOwner != current.SourceIdentity().owner && backupOwner != runner) {
    return ScriptResult::Failure("its backup " + entry.backup + " belongs to " +
                                 script::UserName(backupOwner) +
                                 ", not to the script's owner, so it was not restored");
  }
  if (FileState::Of(previous.SourceIdentity()) != entry.before) {
    return ScriptResult::Failure("its backup " + entry.backup + " changed since " +
                                 RunName(record) + ", so it was not restored");
  }
  ScriptReplacement replacement(location, file, current.SourceIdentity(), folderInUse);
  if (script::Outcome begun = replacement.Begin(); !begun) return failed(begun);
  {
    script::ProgressPhase phase(host);
    phase.Start("Writing data. Please, wait...");
    replacement.Output().Write(Bytes(previous));
  }
  ScriptResult result = ScriptResult::Counted(1);
  if (script::Outcome committed = replacement.Commit(written, result.reason, result.announce);
      !committed) {
    return failed(committed);
  }
  result.backup = replacement.BackupPath();
  folderInUse.Record({entry.script, replacement.BackupName(),
                      FileState::Of(replacement.BackupState()),
                      FileState::Of(replacement.Written())});
  return result;
}

}  // namespace

UndoTarget UndoTargetOf(const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error).lexically_normal();
  if (std::filesystem::is_directory(absolute, error)) return {absolute, {}};
  return {absolute.parent_path(), absolute.filename().string()};
}

std::vector<std::string> UndoLastRuns(script::Host& host, const std::vector<UndoTarget>& targets,
                                      const RunOptions& options, const UndoResults& results) {
  std::signal(SIGXFSZ, SIG_IGN);
  const script::InterruptCleanup cleanup;
  // The folders in the order first named, each with the scripts named in it (none: all).
  std::vector<std::filesystem::path> folders;
  std::map<std::filesystem::path, std::vector<std::string>> named;
  std::map<std::filesystem::path, bool> whole;
  for (const UndoTarget& target : targets) {
    if (!named.contains(target.folder)) folders.push_back(target.folder);
    auto& names = named[target.folder];
    if (target.script.empty()) {
      whole[target.folder] = true;
    } else if (std::find(names.begin(), names.end(), target.script) == names.end()) {
      names.push_back(target.script);
    }
  }
  std::vector<std::string> problems;
  WrittenFileSystems written;
  JournalRecord undo;
  undo.id = NewRunId();
  undo.time = TimeNow();
  FolderInUse folderInUse(undo);
  for (const std::filesystem::path& path : folders) {
    const auto failEveryNamed = [&](const std::string& why) {
      if (whole[path] || named[path].empty())
        problems.push_back(script::PathText(path) + ": " + why);
      for (const std::string& name : named[path]) {
        results(path / name, ScriptResult::Failure(why));
      }
    };
    script::Folder folder;
    if (script::Outcome opened = script::Folder::Open(path, folder); !opened) {
      failEveryNamed(opened.reason());
      continue;
    }
    if (script::Outcome entered = folderInUse.Enter(folder, host, options.folderLockWait);
        !entered) {
      failEveryNamed(entered.reason());
      continue;
    }
    script::BackupFolder* backups = nullptr;
    std::vector<JournalRecord> records;
    if (struct stat entry{}; folder.StatEntry(script::kBackupFolderName, entry) == ENOENT) {
      failEveryNamed("no run is recorded in this folder");
      continue;
    }
    if (script::Outcome opened = folderInUse.Backups(folder, backups, false); !opened) {
      failEveryNamed(opened.reason());
      continue;
    }
    if (script::Outcome read = ReadJournal(backups->Get(), records); !read) {
      failEveryNamed(read.reason());
      continue;
    }
    if (records.empty()) {
      failEveryNamed("no run is recorded in this folder");
      continue;
    }
    const JournalRecord& last = records.back();
    JournalRecord& record = folderInUse.Run();
    record.summary = "Undo of run " + last.id + " (" + last.time + ")";
    record.undoes = last.id;
    record.details.clear();
    for (const JournalEntry& entry : last.scripts) {
      const std::vector<std::string>& names = named[path];
      if (!whole[path] && std::find(names.begin(), names.end(), entry.script) == names.end()) {
        continue;
      }
      ScriptResult result;
      try {
        result = UndoScript(host, folder, last, entry, folderInUse, written);
      } catch (const std::bad_alloc&) {
        result = ScriptResult::Failure("not enough memory to restore it; it was not changed", true);
      }
      results(path / entry.script, result);
    }
    for (const std::string& name : named[path]) {
      const bool inRun =
          std::any_of(last.scripts.begin(), last.scripts.end(),
                      [&](const JournalEntry& entry) { return entry.script == name; });
      if (!inRun && !whole[path]) {
        results(path / name, ScriptResult::Counted(0, "not changed by " + RunName(last) +
                                                          ", the last run recorded in its folder"));
      }
    }
  }
  folderInUse.Leave();
  for (const std::string& failure : folderInUse.JournalFailures()) problems.push_back(failure);
  if (script::Outcome flushed = written.FlushAll(); !flushed) problems.push_back(flushed.reason());
  return problems;
}

script::Outcome RunHistory(const std::filesystem::path& folder,
                           std::vector<JournalRecord>& records) {
  records.clear();
  script::Folder scripts;
  if (script::Outcome opened = script::Folder::Open(folder, scripts); !opened) return opened;
  struct stat entry {};
  if (scripts.StatEntry(script::kBackupFolderName, entry) == ENOENT) {
    return script::Outcome::Success();  // no backup folder: no run recorded
  }
  script::BackupFolder backups;
  if (script::Outcome opened = script::BackupFolder::Open(scripts, backups, false); !opened) {
    return opened;
  }
  return ReadJournal(backups.Get(), records);
}

}  // namespace nosk::engine
