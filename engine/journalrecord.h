// What the run journal holds of a run in one folder.
#pragma once

#include <cstddef>
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
  // Recorded just before the exchange, which changes both files' change times: the new file
  // and the backup as they were then. A run killed before it could record `before` and
  // `after` leaves only these.
  script::FileIdentity replacing;
  script::FileIdentity keeping;
  bool done = true;  // `before` and `after` are known: the exchange went through

  bool operator==(const JournalEntry& other) const {
    return script == other.script && backup == other.backup && done == other.done &&
           before.SameState(other.before) && after.SameState(other.after) &&
           replacing.SameState(other.replacing) && keeping.SameState(other.keeping);
  }
};

// One run in one folder.
struct JournalRecord {
  std::string id;                    // the run's: the same in every folder it wrote in
  std::string time;                  // "2026-12-10 04:35:12 UTC"
  script::Message summary;           // what it did, in one line
  std::vector<std::string> details;  // the modes and the blocks, a line each
  std::string undoes;                // for an undo: the id of the run it took back
  bool redo = false;                 // that run was an undo, which this one took back
  std::vector<JournalEntry> scripts;
  unsigned user = 0;         // whose journal holds it
  bool interrupted = false;  // it has no end: its run was stopped here, or is still at work
  bool operator==(const JournalRecord&) const = default;
};

// What reading the journals of a folder found.
struct JournalReading {
  std::vector<JournalRecord> records;     // oldest first
  std::vector<script::Message> problems;  // journals and records refused, a sentence each
  std::size_t leftOut = 0;                // older records not kept, to stay within memory
};

}  // namespace nosk::engine
