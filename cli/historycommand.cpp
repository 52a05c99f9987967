#include "cli/historycommand.h"

#include <cstdio>
#include <set>

#include "engine/history.h"
#include "script/outcome.h"
#include "script/scriptlocation.h"

namespace nosk::cli {
namespace {

// A journal's text as the terminal gets it: quoted as paths are where it holds a control
// character, a quote, a backslash or bytes that are not UTF-8, so that no record can move the
// cursor, clear a line or forge a line of its own.
std::string Shown(std::string_view text) { return script::QuotedText(text); }

}  // namespace

int HistoryCommand(const std::string& path) {
  const engine::UndoTarget target = engine::UndoTargetOf(path);
  engine::JournalReading reading;
  if (script::Outcome read = engine::RunHistory(target.folder, reading); !read) {
    std::fprintf(stderr, "nosk-cli: %s\n", read.reason().c_str());
    return 1;
  }
  for (const script::Message& problem : reading.problems) {
    std::fprintf(stderr, "nosk-cli: %s\n", script::English(problem).c_str());
  }
  if (reading.records.empty()) {
    std::fprintf(stderr, "nosk-cli: no run is recorded in %s\n",
                 script::PathText(target.folder).c_str());
    return reading.problems.empty() ? 0 : 1;
  }
  const std::set<std::string> takenBack = engine::TakenBackRuns(reading.records);
  for (auto record = reading.records.rbegin(); record != reading.records.rend(); ++record) {
    std::printf("%s  run %s  by %s%s%s\n  %s\n", Shown(record->time).c_str(),
                Shown(record->id).c_str(),
                Shown(script::English(script::Message(script::MessageId::Verbatim,
                                                      {script::UserName(record->user)})))
                    .c_str(),
                record->interrupted ? "  (interrupted: stopped before it ended here)" : "",
                takenBack.contains(record->id) ? "  (taken back)" : "",
                Shown(script::English(record->summary)).c_str());
    for (const engine::JournalEntry& entry : record->scripts) {
      std::printf("    %s  (previous version: %s)%s\n", Shown(entry.script).c_str(),
                  Shown(entry.backup).c_str(), entry.done ? "" : "  (stopped at its exchange)");
    }
  }
  if (reading.leftOut > 0) {
    std::printf("(%zu older runs not shown)\n", reading.leftOut);
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) return 1;
  return reading.problems.empty() ? 0 : 1;
}

}  // namespace nosk::cli
