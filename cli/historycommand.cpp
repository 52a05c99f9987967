#include "cli/historycommand.h"

#include <cstdio>

#include "engine/history.h"
#include "script/outcome.h"

namespace nosk::cli {

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
                script::English(record->summary).c_str());
    for (const engine::JournalEntry& entry : record->scripts) {
      std::printf("    %s  (previous version: %s)\n", script::QuotedText(entry.script).c_str(),
                  script::QuotedText(entry.backup).c_str());
    }
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) return 1;
  return 0;
}

}  // namespace nosk::cli
