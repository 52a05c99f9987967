#include "engine/history.h"

#include <sys/stat.h>

#include <cerrno>
#include <map>

#include "engine/internal/runjournal.h"
#include "script/backupfolder.h"
#include "script/folder.h"

namespace nosk::engine {

UndoTarget UndoTargetOf(const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error).lexically_normal();
  if (std::filesystem::is_directory(absolute, error)) return {absolute, {}};
  // A link to a script: the run that went through it recorded the script in the target's
  // folder, under the target's name.
  if (std::filesystem::is_symlink(absolute, error)) {
    const std::filesystem::path target = std::filesystem::canonical(absolute, error);
    if (!error && std::filesystem::is_regular_file(target, error)) {
      return {target.parent_path(), target.filename().string()};
    }
  }
  return {absolute.parent_path(), absolute.filename().string()};
}

script::Outcome RunHistory(const std::filesystem::path& folder, JournalReading& reading) {
  reading = {};
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
  // Thousands of runs, and far below what a journal grown without end would take.
  constexpr std::size_t kKeptBytes = 2 * 1024 * 1024;
  return ReadEveryRun(backups.Get(), kKeptBytes, reading);
}

std::set<std::string> TakenBackRuns(const std::vector<JournalRecord>& records) {
  std::set<std::string> takenBack;
  // An undo's or a redo's id: the run whose changes it took back or put back. An undo of a redo
  // takes back again the run that redo put back.
  std::map<std::string, std::string> runOf;
  for (const JournalRecord& record : records) {
    if (record.undoes.empty() || record.interrupted) continue;
    const auto through = runOf.find(record.undoes);
    if (!record.redo) {
      const std::string run = through != runOf.end() ? through->second : record.undoes;
      takenBack.insert(record.undoes);
      takenBack.insert(run);
      runOf[record.id] = run;
    } else if (through != runOf.end()) {
      takenBack.erase(through->second);
      runOf[record.id] = through->second;
    }
  }
  return takenBack;
}

}  // namespace nosk::engine
