// The scripts a command names, as the run's file list.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/terminalhost.h"
#include "engine/filelist.h"

namespace nosk::cli {

// Whether `a` sorts before `b` compared as UTF-16 code units, the order of the window's list.
bool Utf16Less(std::string_view a, std::string_view b);

struct CollectedPaths {
  std::vector<std::filesystem::path> scripts;  // absolute, without duplicates, in UTF-16 order
  int problems = 0;  // arguments that name nothing, or folders that could not be listed
};

// The script paths named by the arguments: a file with a script extension (whether or not it
// exists: the run reports a missing one), or a folder's .ass and .ssa files (not its
// sub-folders). A file of another kind is skipped, and a path that names nothing or a folder
// that cannot be listed is a problem, each with a line on `errors`.
CollectedPaths CollectScriptPaths(const std::vector<std::string>& arguments, std::FILE* errors);

// Where a run's results are printed.
struct ResultOutput {
  std::FILE* results;  // the count (or "Error"), a tab and the path, a line per script
  std::FILE* reasons;  // why a script failed, or what to know besides its count
  std::FILE* diff;     // when given: the unified diff of every script with changes
  bool explain;        // where the block came closest, for a script it was not found in
};

// Every entry is checked. A result is printed as it is stored. Failures are Errors and results
// the user must be told of at once (another program's write kept only in the backup).
class PathList : public engine::FileList {
 public:
  PathList(std::vector<std::filesystem::path> paths, TerminalHost& host, ResultOutput output);

  std::int32_t Count() const override { return static_cast<std::int32_t>(paths_.size()); }
  bool GetChecked(std::int32_t i) const override;
  std::filesystem::path GetPath(std::int32_t i) const override;
  void StoreResult(std::int32_t i, const engine::ScriptResult& result) override;

  int FailureCount() const { return failures_; }

 private:
  std::vector<std::filesystem::path> paths_;
  TerminalHost& host_;
  ResultOutput output_;
  int failures_ = 0;
};

}  // namespace nosk::cli
