// The runs recorded in a folder, and which folder a path's runs are recorded in.
#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "engine/journalrecord.h"
#include "script/outcome.h"

namespace nosk::engine {

// What an undo of a path takes back: in a folder, the scripts of its most recent recorded run,
// or only one of them (a script named by the user).
struct UndoTarget {
  std::filesystem::path folder;
  std::string script;  // its name in the folder; empty for every script of the run
};

// The target a path names: a folder stands for itself, a script for its folder, that script.
UndoTarget UndoTargetOf(const std::filesystem::path& path);

// The runs every user recorded in a folder, oldest first, each saying whose it is, and the
// journals and records that were refused; the oldest are left out past a few megabytes.
script::Outcome RunHistory(const std::filesystem::path& folder, JournalReading& reading);

// The ids of the runs of `records` (a folder's, oldest first) whose changes are taken back: an
// undo took them back and no redo put them back since (a redo an undo took back is one too).
std::set<std::string> TakenBackRuns(const std::vector<JournalRecord>& records);

}  // namespace nosk::engine
