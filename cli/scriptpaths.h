// The scripts a command's path arguments name, in the order of the window's list.
#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "script/scriptlocation.h"

namespace nosk::cli {

// Whether `a` sorts before `b` compared as UTF-16 code units, the order of the window's list.
bool Utf16Less(std::string_view a, std::string_view b);

// A script to run on. One that a folder's walk found as a file is reached through the
// folder the walk opened, never by its path again: a folder swapped for a link since cannot
// send the run anywhere else, and no path length limit applies.
struct CollectedScript {
  std::filesystem::path path;  // absolute: what results and messages show
  std::optional<script::ScriptLocation> location;
};

struct CollectedPaths {
  std::vector<CollectedScript> scripts;  // without duplicates, in UTF-16 order of their paths
  int problems = 0;  // arguments that name nothing, or folders that could not be listed
};

// The script paths named by the arguments: a file with a script extension (whether or not it
// exists: the run reports a missing one), or a folder's .ass and .ssa files; with `recursive`,
// those of its subfolders too, at any depth, never entering a Nosk_backup folder nor following
// a link to a folder; folders are walked by descriptor, each opened from its parent's without
// following a link, and a folder that cannot be opened or listed is a problem. Without it, a folder
// whose subfolders hold scripts gets a line on `errors` saying they were skipped. A file of another
// kind is skipped, and a path that names nothing or a folder that cannot be listed is a problem,
// each with a line on `errors`.
CollectedPaths CollectScriptPaths(const std::vector<std::string>& arguments, bool recursive,
                                  std::FILE* errors);

// The folders an undo with -r takes back: each argument as it stands, and for one that is a
// folder, every folder below it that has a Nosk_backup, walked as CollectScriptPaths walks.
CollectedPaths CollectFoldersWithRuns(const std::vector<std::string>& arguments, std::FILE* errors);

}  // namespace nosk::cli
