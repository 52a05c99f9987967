// The ranges of event lines that a run concerns in one script.
#pragma once

#include <cstdint>
#include <vector>

namespace nosk::engine {

// Event lines `first` to `last` (inclusive), by event index: a position in the script's event
// index, not a line number. A range may be empty (last = first - 1), and an end at or beyond the
// last event index means "to the last event line".
struct EventRange {
  std::int32_t first = 0;
  std::int32_t last = -1;

  std::int32_t Length() const { return last - first + 1; }
  bool operator==(const EventRange&) const = default;
};

// The ranges, ascending and not overlapping.
struct RangeList {
  std::vector<EventRange> ranges;

  void Append(std::int32_t first, std::int32_t last) { ranges.push_back({first, last}); }
  std::int32_t Count() const { return static_cast<std::int32_t>(ranges.size()); }
  bool Empty() const { return ranges.empty(); }
  void Clear() { ranges.clear(); }
  const EventRange& operator[](std::size_t k) const { return ranges[k]; }
  auto begin() const { return ranges.begin(); }
  auto end() const { return ranges.end(); }
};

}  // namespace nosk::engine
