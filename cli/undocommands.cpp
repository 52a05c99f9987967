#include "cli/undocommands.h"

#include <unistd.h>

#include <cstdio>

#include "cli/pathlist.h"
#include "cli/terminalhost.h"
#include "engine/undo.h"
#include "script/outcome.h"
#include "script/timecodes.h"

namespace nosk::cli {

int UndoCommand(const std::vector<std::string>& paths, std::chrono::milliseconds folderLockWait) {
  TerminalHost host(stderr, ::isatty(STDERR_FILENO) == 1);
  std::vector<engine::UndoTarget> targets;
  for (const std::string& path : paths) targets.push_back(engine::UndoTargetOf(path));
  engine::RunOptions options;
  options.folderLockWait = folderLockWait;
  int failures = 0;
  engine::RunTally tally;
  const std::vector<std::string> problems = engine::UndoLastRuns(
      host, targets, options,
      [&](const std::filesystem::path& script, const engine::ScriptResult& result) {
        host.ClearLine();
        const std::string path = script::PathText(script);
        const std::string code =
            result.code == engine::kFailed ? "Error" : script::IntToText(result.code);
        std::fprintf(stdout, "%s\t%s\n", code.c_str(), path.c_str());
        std::fflush(stdout);
        if (result.code == engine::kFailed || result.announce) ++failures;
        tally.Add(result);
        if (!result.reason.empty()) {
          std::fprintf(stderr, "nosk-cli: %s: %s\n", path.c_str(), result.reason.c_str());
        }
      });
  host.ClearLine();
  for (const std::string& problem : problems)
    std::fprintf(stderr, "nosk-cli: %s\n", problem.c_str());
  for (const std::string& message : host.TakeMessages()) {
    std::fprintf(stderr, "nosk-cli: %s\n", message.c_str());
    ++failures;
  }
  if (::isatty(STDERR_FILENO) == 1) {
    std::fflush(stdout);
    std::fprintf(stderr, "nosk-cli: %s\n", SummaryLine(tally, RunKind::Undo).c_str());
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    std::fprintf(stderr, "nosk-cli: the results could not all be written to the standard output\n");
    return 1;
  }
  return failures > 0 || !problems.empty() ? 1 : 0;
}

int HistoryCommand(const std::string& path) {
  const engine::UndoTarget target = engine::UndoTargetOf(path);
  std::vector<engine::JournalRecord> records;
  if (script::Outcome read = engine::RunHistory(target.folder, records); !read) {
    std::fprintf(stderr, "nosk-cli: %s\n", read.reason().c_str());
    return 1;
  }
  if (records.empty()) {
    std::fprintf(stderr, "nosk-cli: no run is recorded in %s\n",
                 script::PathText(target.folder).c_str());
    return 0;
  }
  for (auto record = records.rbegin(); record != records.rend(); ++record) {
    std::printf("%s  run %s\n  %s\n", record->time.c_str(), record->id.c_str(),
                record->summary.c_str());
    for (const engine::JournalEntry& entry : record->scripts) {
      std::printf("    %s  (previous version: %s)\n", script::QuotedText(entry.script).c_str(),
                  script::QuotedText(entry.backup).c_str());
    }
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) return 1;
  return 0;
}

}  // namespace nosk::cli
