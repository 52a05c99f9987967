// The folder beside a season's scripts that keeps their previous versions.
#pragma once

#include <sys/stat.h>

#include <map>
#include <string>

#include "script/folder.h"
#include "script/outcome.h"

namespace nosk::script {

// The name of the folder, beside each rewritten script, that keeps its previous versions.
inline constexpr const char* kBackupFolderName = "Nosk_backup";

// "Nosk_backup" in a folder, reached through its own descriptor, and the numbered backups in it:
// name.~N~, N one above the highest there, so that the newest backup always has the highest
// number.
class BackupFolder {
 public:
  // Opens the backup folder of `scripts`, creating it when there is none. It is used only when
  // it is a real folder (not a link) that the runner, the folder's owner or root owns, or, in a
  // folder its group may write, one that has the folder's group (a teammate made it): backups
  // must not land where another user decides. A new one gets the folder's group and the
  // folder's group and other permission bits (set-group-ID and sticky included), so that a team
  // sharing the folder shares its backups. Temporary files of dead runs in it are removed.
  // Without `create`, a folder that has none fails with ENOENT's reason.
  static Outcome Open(const Folder& scripts, BackupFolder& backups, bool create = true);

  const Folder& Get() const { return folder_; }
  // Whether Open made it, this time.
  bool Made() const { return made_; }

  // Keeps the file open as `file` as the next backup of `name`: a hard link to that very inode,
  // or, when `copy` is asked or the file system will not link it, a copy of its content with its
  // owner, group, mode and attributes. A copy appears whole or not at all. Sets the backup's
  // name, and whether it is a copy.
  Outcome Keep(int file, const struct stat& status, const std::string& name, bool copy,
               std::string& backupName, bool& copied);
  // The name Keep gives the next backup of `name`, unless another one takes it meanwhile.
  std::string NextName(const std::string& name);
  // Replaces a backup made as a copy by a fresh copy of the file: another program wrote to the
  // file after the first copy was taken.
  Outcome CopyAgain(int file, const struct stat& status, const std::string& backupName);
  // Removes a backup this run made for a script it then did not change.
  void Discard(const std::string& name, const std::string& backupName);

 private:
  // Copies the file to `backupName` through a temporary file, so that it appears whole or not at
  // all; `replace` lets it take the place of a backup. `nameTaken` when the name was taken.
  Outcome Copy(int file, const struct stat& status, const std::string& backupName, bool replace,
               bool& nameTaken);
  unsigned HighestNumber(const std::string& name);

  Folder folder_;
  bool made_ = false;
  bool scanned_ = false;
  std::map<std::string, unsigned> highest_;  // by script name, scanned once per run
};

}  // namespace nosk::script
