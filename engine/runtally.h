// How the scripts of a run fared, counted as their results come in.
#pragma once

#include <filesystem>
#include <vector>

#include "engine/scriptresult.h"

namespace nosk::engine {

struct RunTally {
  int changed = 0;    // a count of 1 or more: changed (or, in a count or a preview, concerned)
  int unchanged = 0;  // 0
  int failed = 0;     // Error
  int announced = 0;  // results the user must be told of at once
  // The folders that got the previous versions, each once, in the order met.
  std::vector<std::filesystem::path> backupFolders;

  void Add(const ScriptResult& result);
};

}  // namespace nosk::engine
