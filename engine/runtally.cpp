#include "engine/runtally.h"

#include <algorithm>

namespace nosk::engine {

void RunTally::Add(const ScriptResult& result) {
  if (result.code == kFailed) {
    ++failed;
  } else if (result.code == 0) {
    ++unchanged;
  } else if (result.code > 0) {
    ++changed;
  }
  if (result.announce) ++announced;
  if (!result.backup.empty()) {
    const std::filesystem::path folder = result.backup.parent_path();
    if (std::find(backupFolders.begin(), backupFolders.end(), folder) == backupFolders.end()) {
      backupFolders.push_back(folder);
    }
  }
}

}  // namespace nosk::engine
