// The scripts a command names, as the run's file list.
#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/scriptpaths.h"
#include "cli/terminalhost.h"
#include "engine/filelist.h"
#include "engine/runtally.h"

namespace nosk::cli {

// Where a run's results are printed.
struct ResultOutput {
  std::FILE* results;  // the count (or "Error"), a tab and the path, a line per script
  std::FILE* reasons;  // why a script failed, or what to know besides its count
  std::FILE* diff;     // when given: the unified diff of every script with changes
  bool explain;        // where the block came closest, for a script it was not found in
  // The progress line counts the scripts of the list ("[3/26]"). An undo's results are the
  // scripts of each folder's last run, which the list does not count.
  bool countFiles = true;
};

// Every entry is checked. A result is printed as it is stored, for an entry or for a script of a
// folder the list names. Failures are Errors and results the user must be told of at once
// (another program's write kept only in the backup).
class PathList : public engine::FileList {
 public:
  PathList(std::vector<CollectedScript> scripts, TerminalHost& host, ResultOutput output);

  std::int32_t Count() const override { return static_cast<std::int32_t>(scripts_.size()); }
  bool GetChecked(std::int32_t i) const override;
  std::filesystem::path GetPath(std::int32_t i) const override;
  std::optional<script::ScriptLocation> GetLocation(std::int32_t i) const override;
  void StoreResult(std::int32_t i, const engine::ScriptResult& result) override;
  void StoreUnlistedResult(const std::filesystem::path& script,
                           const engine::ScriptResult& result) override;

  int FailureCount() const { return failures_; }
  const engine::RunTally& Tally() const { return tally_; }

 private:
  void Print(const std::filesystem::path& script, const engine::ScriptResult& result);

  std::vector<CollectedScript> scripts_;
  TerminalHost& host_;
  ResultOutput output_;
  int failures_ = 0;
  int printed_ = 0;
  engine::RunTally tally_;
};

// What a run did to its scripts, in words.
enum class RunKind { Count, Preview, Write, Undo };

// The line that sums a run up on a terminal: "3 changed, 2 unchanged, 1 failed".
std::string SummaryLine(const engine::RunTally& tally, RunKind kind);

}  // namespace nosk::cli
