// A subcommand's run: its request over the scripts its paths name, the results printed as they
// come, and the exit status.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "engine/runrequest.h"

namespace nosk::cli {

// What the paths of a command name, and how its results are printed.
struct CommandPaths {
  std::vector<std::string> arguments;
  // The arguments are scripts or folders of scripts, to be listed; otherwise (an undo) they are
  // taken as they are.
  bool collect = true;
  bool recursive = false;
};

struct CommandOutput {
  bool diff = false;     // --diff: the diffs are the output, the result lines go to stderr
  bool explain = false;  // --explain: where the block came closest, on stderr
  // A line that follows the reason when a check stops the run (how to give what was missing).
  std::string stopHint;
};

// Runs the request; 0 when every script went through, 1 when one failed (or another program's
// write is kept only in a backup, a path named nothing, a problem was reported, the results
// could not be written), 2 when a check stopped the run.
int RunCommand(const engine::RunRequest& request, const CommandPaths& paths,
               const CommandOutput& output);

}  // namespace nosk::cli
