#include "engine/history.h"

#include <sys/stat.h>

#include <cerrno>

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

}  // namespace nosk::engine
