// Taking back the most recent run recorded in a folder, and the list of recorded runs.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/batchjob.h"
#include "engine/runjournal.h"
#include "engine/scriptresult.h"
#include "script/host.h"
#include "script/outcome.h"

namespace nosk::engine {

// What to take back: in a folder, the scripts of its most recent recorded run, or only one of
// them (a script named by the user).
struct UndoTarget {
  std::filesystem::path folder;
  std::string script;  // its name in the folder; empty for every script of the run
};

// The target a path names: a folder stands for itself, a script for its folder, that script.
UndoTarget UndoTargetOf(const std::filesystem::path& path);

// A script's result, as an undo reaches it.
using UndoResults =
    std::function<void(const std::filesystem::path& script, const ScriptResult& result)>;

// In each folder of the targets, in the order first named, takes back its most recent recorded
// run: every script (of the targets) that still holds exactly what that run wrote, and whose
// backup still holds exactly what that run backed up, gets the backup's content again, through
// the same rewrite as any run (so it gets a backup of its own, the undo is recorded as a run,
// and it can itself be undone). Any other script is left alone, with the reason. Results: 1 for
// a script restored, 0 for a named script the run did not change, Error with a reason. Returns,
// a sentence each, what kept whole folders from being undone (no run recorded there).
std::vector<std::string> UndoLastRuns(script::Host& host, const std::vector<UndoTarget>& targets,
                                      const RunOptions& options, const UndoResults& results);

// The runs recorded in a folder, oldest first.
script::Outcome RunHistory(const std::filesystem::path& folder,
                           std::vector<JournalRecord>& records);

}  // namespace nosk::engine
