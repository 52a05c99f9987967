// The file systems a run wrote to, flushed once when the run ends.
#pragma once

#include <filesystem>
#include <map>

#include "script/outcome.h"

namespace nosk::engine {

// One flush per file system per run, not one per file: the previous content of every script is
// already on disk and its backup link is made before the rename, so a crash at any moment leaves
// it reachable; the flush makes a finished run's new content durable before it is reported.
class WrittenFileSystems {
 public:
  // Notes the file system of a folder the run wrote into.
  void Record(const std::filesystem::path& folder);
  // Flushes every file system noted; the first failure, if any.
  script::Outcome FlushAll();

 private:
  std::map<unsigned long long, std::filesystem::path> folderByDevice_;
  std::filesystem::path lastFolder_;  // a season's scripts share one folder: noted once
};

}  // namespace nosk::engine
