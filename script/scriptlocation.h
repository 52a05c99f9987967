// Where a listed script really is, and opening it once for a run.
#pragma once

#include <filesystem>
#include <string>

#include "script/filedescriptor.h"
#include "script/fileidentity.h"
#include "script/folder.h"
#include "script/outcome.h"

namespace nosk::script {

// The folder that holds the file itself, and its name there. For a script listed through a
// symbolic link that is the link's target: its folder is the one rewritten, and the one that
// keeps the backup.
struct ScriptLocation {
  std::filesystem::path listed;  // as the file list names it: what messages show
  Folder folder;
  std::string name;
  bool throughLink = false;
};

// Finds the file a listed path names. A symbolic link is followed, link by link, only when every
// link on the way and the file it ends at have the same owner: a link that another user planted
// in a shared folder must not make the runner rewrite, or expose, a file that user could not
// touch. Fails, with the reason, for a missing file, a folder, anything but a regular file, and
// a link it will not follow. `lastFolder` is the folder of the script located before: reused
// when it is this one's too (a season's scripts share one), replaced otherwise.
Outcome LocateScript(const std::filesystem::path& listed, ScriptLocation& location,
                     Folder& lastFolder);

// The script opened for reading through its folder: never through a link (one swapped in since
// it was located fails), and without waiting on a FIFO swapped in (the type is checked on the
// open descriptor). `identity` is the file's as it was opened.
Outcome OpenScript(const ScriptLocation& location, FileDescriptor& file, FileIdentity& identity);

// A user's name for messages, or the number when it has none.
MessageArgument UserName(unsigned user);

}  // namespace nosk::script
