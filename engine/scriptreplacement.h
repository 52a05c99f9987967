// Putting a script's new content in place without ever leaving the user without a complete copy
// of its previous content.
#pragma once

#include <filesystem>

#include "script/outcome.h"
#include "script/outputfile.h"
#include "script/subtitlefile.h"

namespace nosk::engine {

// The name of the folder, beside each rewritten script, that keeps its previous versions.
inline constexpr const char* kBackupFolderName = "Nosk_backup";

// The new content goes to a temporary file beside the script; the previous file is then linked
// (or, where links are not possible, copied) into Nosk_backup as name.~N~ with the smallest free
// N; last, the temporary file takes the script's permission bits and is renamed over it. A script
// that is a symbolic link is rewritten where the link points, and stays a link. Whatever fails,
// the script keeps its previous content and no temporary file stays behind.
class ScriptReplacement {
 public:
  // `loaded` is the identity the script had when it was read: a script that has changed since
  // is not replaced, so that its newer content is not lost.
  ScriptReplacement(std::filesystem::path scriptPath, const script::FileIdentity& loaded);
  // Removes the temporary file unless Commit put it in place.
  ~ScriptReplacement();
  ScriptReplacement(const ScriptReplacement&) = delete;
  ScriptReplacement& operator=(const ScriptReplacement&) = delete;

  // Creates the temporary file for the new content.
  script::Outcome Begin();
  // Where the new content is written, once Begin succeeded.
  script::OutputFile& Output() { return output_; }
  // Finishes the new content, makes the backup and puts the new content in place.
  script::Outcome Commit();

  // The folder whose file system was written to (the real script's folder).
  const std::filesystem::path& Folder() const { return folder_; }
  // The backup made by Commit; empty before.
  const std::filesystem::path& BackupPath() const { return backupPath_; }

 private:
  script::Outcome MakeBackup(unsigned permissions);

  std::filesystem::path scriptPath_;  // as listed: the backup folder goes beside it
  script::FileIdentity loaded_;
  std::filesystem::path realPath_;  // the file itself, links resolved
  std::filesystem::path folder_;
  std::filesystem::path temporaryPath_;
  std::filesystem::path backupPath_;
  script::OutputFile output_;
  bool committed_ = false;
};

}  // namespace nosk::engine
