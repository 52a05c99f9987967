// nosk-cli history.
#pragma once

#include <string>

namespace nosk::cli {

// Lists the runs recorded in a folder (a script's: its folder), newest first; the exit status.
int HistoryCommand(const std::string& path);

}  // namespace nosk::cli
