#include "cli/runcommand.h"

#include <unistd.h>

#include <cstdio>
#include <variant>

#include "cli/pathlist.h"
#include "cli/scriptpaths.h"
#include "cli/terminalhost.h"
#include "engine/run.h"

namespace nosk::cli {
namespace {

// A run stopped at a check did nothing: the exit status of a usage error.
int ExitStatusOf(engine::RunStop::Kind kind) {
  switch (kind) {
    case engine::RunStop::Kind::NothingToRun:
    case engine::RunStop::Kind::InvalidInput:
      break;
  }
  return 2;
}

void PrintLine(const std::string& text) { std::fprintf(stderr, "nosk-cli: %s\n", text.c_str()); }

RunKind KindOf(const engine::RunRequest& request) {
  if (std::holds_alternative<engine::UndoRequest>(request.operation)) return RunKind::Undo;
  switch (request.mode) {
    case engine::RunMode::Count:
      return RunKind::Count;
    case engine::RunMode::Preview:
      return RunKind::Preview;
    case engine::RunMode::Write:
      break;
  }
  return RunKind::Write;
}

}  // namespace

int RunCommand(const engine::RunRequest& request, const CommandPaths& paths,
               const CommandOutput& output) {
  const bool onTerminal = ::isatty(STDERR_FILENO) == 1;
  const RunKind kind = KindOf(request);
  TerminalHost host(stderr, onTerminal);
  CollectedPaths collected;
  if (paths.collect) {
    collected = CollectScriptPaths(paths.arguments, paths.recursive, stderr);
  } else if (paths.recursive) {
    collected = CollectFoldersWithRuns(paths.arguments, stderr);
  } else {
    for (const std::string& argument : paths.arguments) collected.scripts.push_back({argument, {}});
  }
  // With --diff the diffs are the output, and the result lines join the reasons on stderr.
  PathList files(std::move(collected.scripts), host,
                 {output.diff ? stderr : stdout, stderr, output.diff ? stdout : nullptr,
                  output.explain, kind != RunKind::Undo});
  const engine::RunOutcome outcome = engine::Run(request, files, host);
  host.ClearLine();
  if (outcome.stopped) {
    PrintLine(script::English(outcome.stopped->status));
    if (!output.stopHint.empty()) PrintLine(output.stopHint);
    if (!outcome.stopped->explanation.empty()) {
      PrintLine(script::English(outcome.stopped->title) + ": " +
                script::English(outcome.stopped->explanation));
    }
    return ExitStatusOf(outcome.stopped->kind);
  }
  for (const script::Message& note : outcome.notes) PrintLine(script::English(note));
  if (kind == RunKind::Undo) {
    for (const script::Message& problem : outcome.problems) PrintLine(script::English(problem));
  } else if (!outcome.problems.empty()) {
    // What went wrong with the run as a whole, as one message.
    std::string text;
    for (const script::Message& problem : outcome.problems) {
      text += (text.empty() ? "" : "\n") + script::English(problem);
    }
    PrintLine("Error: " + text);
  }
  // On a terminal, the run summed up after its results.
  if (onTerminal) {
    std::fflush(stdout);
    PrintLine(SummaryLine(files.Tally(), kind));
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    PrintLine("the results could not all be written to the standard output");
    return 1;
  }
  return files.FailureCount() > 0 || collected.problems > 0 || !outcome.problems.empty() ? 1 : 0;
}

}  // namespace nosk::cli
