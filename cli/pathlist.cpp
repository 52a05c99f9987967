#include "cli/pathlist.h"

#include <algorithm>
#include <cstdint>

#include "engine/nearmiss.h"
#include "engine/scriptdiff.h"
#include "script/eventline.h"
#include "script/outcome.h"
#include "script/timecodes.h"

namespace nosk::cli {
namespace fs = std::filesystem;

PathList::PathList(std::vector<CollectedScript> scripts, TerminalHost& host, ResultOutput output)
    : scripts_(std::move(scripts)), host_(host), output_(output) {
  if (output_.countFiles) host_.SetFileNumber(1, Count());
}

bool PathList::GetChecked(std::int32_t) const { return true; }

fs::path PathList::GetPath(std::int32_t i) const { return scripts_[i].path; }

std::optional<script::ScriptLocation> PathList::GetLocation(std::int32_t i) const {
  return scripts_[i].location;
}

void PathList::StoreResult(std::int32_t i, const engine::ScriptResult& result) {
  Print(scripts_[i].path, result);
}

void PathList::StoreUnlistedResult(const fs::path& script, const engine::ScriptResult& result) {
  Print(script, result);
}

void PathList::Print(const fs::path& script, const engine::ScriptResult& result) {
  host_.ClearLine();
  const std::string path = script::PathText(script);
  if (output_.diff != nullptr && !result.changes.empty()) {
    const std::string diff = engine::UnifiedDiff(path, result.changes);
    std::fwrite(diff.data(), 1, diff.size(), output_.diff);
    std::fflush(output_.diff);
  }
  const std::string code =
      result.code == engine::kFailed ? "Error" : script::IntToText(result.code);
  std::fprintf(output_.results, "%s\t%s\n", code.c_str(), path.c_str());
  std::fflush(output_.results);
  if (result.code == engine::kFailed || result.announce) ++failures_;
  tally_.Add(result);
  if (!result.reason.empty()) {
    std::fprintf(output_.reasons, "nosk-cli: %s: %s\n", path.c_str(),
                 script::English(result.reason).c_str());
  }
  if (output_.explain && result.nearMiss) {
    const std::string explained = engine::DescribeNearMiss(*result.nearMiss);
    std::fprintf(output_.reasons, "nosk-cli: %s: %s", path.c_str(), explained.c_str());
  }
  ++printed_;
  if (output_.countFiles) host_.SetFileNumber(printed_ + 1, Count());
}

std::string SummaryLine(const engine::RunTally& tally, RunKind kind) {
  const auto count = [](int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
  };
  std::string line;
  switch (kind) {
    case RunKind::Count:
      line = count(tally.changed, "script holds the block", "scripts hold the block") + ", " +
             std::to_string(tally.unchanged) + " do not";
      break;
    case RunKind::Preview:
      line = std::to_string(tally.changed) + " would change, " + std::to_string(tally.unchanged) +
             " would not";
      break;
    case RunKind::Write:
      line = std::to_string(tally.changed) + " changed, " + std::to_string(tally.unchanged) +
             " unchanged";
      break;
    case RunKind::Undo:
      line = std::to_string(tally.changed) + " taken back, " + std::to_string(tally.unchanged) +
             " not";
      break;
  }
  return line + ", " + std::to_string(tally.failed) + " failed";
}

}  // namespace nosk::cli
