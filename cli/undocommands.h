// nosk-cli undo and nosk-cli history.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace nosk::cli {

// Takes back the most recent run recorded in each folder named (for a script, in its folder,
// that script only). A result line per script, as for any run; the exit status.
int UndoCommand(const std::vector<std::string>& paths, std::chrono::milliseconds folderLockWait);

// Lists the runs recorded in a folder (a script's: its folder), newest first; the exit status.
int HistoryCommand(const std::string& path);

}  // namespace nosk::cli
