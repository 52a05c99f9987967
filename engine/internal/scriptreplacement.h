// Putting a script's new content in place without ever losing a version of it, and without
// letting anyone else decide where anything goes.
#pragma once

#include <string>

#include "engine/internal/folderinuse.h"
#include "engine/internal/writtenfilesystems.h"
#include "script/backupfolder.h"
#include "script/filedescriptor.h"
#include "script/fileidentity.h"
#include "script/outcome.h"
#include "script/scriptlocation.h"
#include "script/temporaryfile.h"

namespace nosk::engine {

// The script was read from `file`, which has the identity `loaded`. The new content goes to a
// temporary file beside it, which takes the script's owner, group, mode, ACL and extended
// attributes. Just before it is put in place, the script must still be the version read, under
// its name; the very inode read is then linked (or copied) into Nosk_backup as name.~N~, and the
// new file takes the name. A write that slipped in between is kept in the backup and reported.
// Whatever fails, the script keeps its content and no temporary file stays behind.
class ScriptReplacement {
 public:
  ScriptReplacement(const script::ScriptLocation& location, const script::FileDescriptor& file,
                    const script::FileIdentity& loaded, FolderInUse& folder);
  ScriptReplacement(const ScriptReplacement&) = delete;
  ScriptReplacement& operator=(const ScriptReplacement&) = delete;

  // Refuses a script the runner may not write; creates the temporary file for the new content.
  script::Outcome Begin();
  // Where the new content is written, once Begin succeeded.
  script::ByteSink& Output() { return temporary_; }
  // Finishes the new content, makes the backup and puts the new content in place. On success
  // `note` may say something the user must know (other hard links keep the old content; another
  // program's write is kept in the backup), and `serious` whether it must be told at once.
  script::Outcome Commit(WrittenFileSystems& written, script::Message& note, bool& serious);

  // The backup made by Commit, as a path, and as a name in Nosk_backup; empty before.
  std::filesystem::path BackupPath() const;
  const std::string& BackupName() const { return backupName_; }
  // The new file, which has the script's name once Commit succeeded, as Commit left it.
  const script::FileIdentity& Written() const { return written_; }
  // The backup, as Commit left it.
  const script::FileIdentity& BackupState() const { return backupState_; }

 private:
  // The script refused, with a sentence that names it.
  script::Outcome Refused(script::MessageId why) const;
  // Whether the name still leads to the inode read, in the version read; `status` is the inode's
  // as it was looked at.
  script::Outcome StillAsRead(struct stat& status) const;
  // Puts the temporary file in the script's place. Exchanging the two names tells whether the
  // name still led to the file read; where the file system cannot exchange, it is renamed.
  // `leftover` says where the previous version stays when its temporary name cannot be removed.
  // `newFile` is the temporary file, which must be the one that takes the name; `placed` is
  // what the name then holds, when it could be told to be the new file (its change time moved).
  script::Outcome PutInPlace(const script::FileIdentity& newFile, script::Message& leftover,
                             script::FileIdentity& placed);
  // Puts the script in the run's journal record before its backup and the exchange: the new
  // file as it was written (its size and modification time are final; its change time moves
  // with the exchange), and the backup that keeps the version read.
  script::Outcome RecordIntent(const script::FileIdentity& newFile, const std::string& backupName,
                               const script::FileIdentity& backup);

  const script::ScriptLocation& location_;
  const script::FileDescriptor& file_;
  const script::FileIdentity loaded_;
  FolderInUse& folder_;
  script::TemporaryFile temporary_;
  script::BackupFolder* backups_ = nullptr;
  std::string backupName_;
  script::FileIdentity written_;
  script::FileIdentity backupState_;
};

}  // namespace nosk::engine
