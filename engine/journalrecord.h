// What the run journal holds of a run in one folder.
#pragma once

#include <string>
#include <vector>

#include "script/fileidentity.h"
#include "script/message.h"

namespace nosk::engine {

// One script a run rewrote. The two files are told by their state (device, inode, size, and the
// modification and change times: FileIdentity::SameState), which any write, any rename over the
// name and any change of owner or mode changes, and which no user can set back.
struct JournalEntry {
  std::string script;           // its name in the folder
  std::string backup;           // its backup's name in Nosk_backup
  script::FileIdentity before;  // the backup, as the run left it
  script::FileIdentity after;   // the script, as the run left it

  bool operator==(const JournalEntry& other) const {
    return script == other.script && backup == other.backup && before.SameState(other.before) &&
           after.SameState(other.after);
  }
};

// One run in one folder.
struct JournalRecord {
  std::string id;                    // the run's: the same in every folder it wrote in
  std::string time;                  // "2026-12-10 04:35:12 UTC"
  script::Message summary;           // what it did, in one line
  std::vector<std::string> details;  // the modes and the blocks, a line each
  std::string undoes;                // for an undo: the id of the run it took back
  std::vector<JournalEntry> scripts;
  bool operator==(const JournalRecord&) const = default;
};

}  // namespace nosk::engine
