// The file systems a run wrote to, flushed once when the run ends.
#pragma once

#include <filesystem>
#include <map>

#include "script/filedescriptor.h"
#include "script/folder.h"
#include "script/outcome.h"

namespace nosk::engine {

// One flush per file system per run, not one per file: the previous content of every script is
// already on disk and its backup link is made before the rename, so a crash at any moment leaves
// it reachable; the flush makes a finished run's new content durable before it is reported. A
// backup copied to another file system makes that one written to as well.
class WrittenFileSystems {
 public:
  // Notes the file system of a folder the run wrote into.
  void Record(const script::Folder& folder);
  // Flushes every file system noted; the first failure, if any.
  script::Outcome FlushAll();

 private:
  struct Written {
    script::FileDescriptor descriptor;  // of a folder on it, kept open until the flush
    std::filesystem::path folder;
  };
  std::map<unsigned long long, Written> byDevice_;
};

}  // namespace nosk::engine
