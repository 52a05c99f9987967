// The ranges of event lines that a run concerns in one script.
#pragma once

#include <cstdint>
#include <vector>

namespace nosk::engine {

// Ranges of event indexes (positions in the script's event index, not line numbers), ascending
// and not overlapping, with inclusive ends. An end at or beyond the last event index means "to
// the last event line". Once Terminate has run, the slot after the last range holds a pair equal
// to the script's line count, above every event index, which the rewriter stops at.
struct RangeList {
  std::int32_t Count = 0;
  std::vector<std::int32_t> Starts;
  std::vector<std::int32_t> Ends;

  void Append(std::int32_t start, std::int32_t end) {
    Starts.push_back(start);
    Ends.push_back(end);
    ++Count;
  }
  void Clear() {
    Starts.clear();
    Ends.clear();
    Count = 0;
  }
  void Terminate(std::int32_t lineCount) {
    Starts.push_back(lineCount);
    Ends.push_back(lineCount);
  }
};

}  // namespace nosk::engine
