// What a run changes in a script, as a diff.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "script/subtitlefile.h"

namespace nosk::engine {

// One line of a diff: unchanged context (' '), removed ('-') or added ('+'), with its own line
// end, byte for byte (none for a last line without one).
struct DiffLine {
  char kind = ' ';
  std::string text;
  bool operator==(const DiffLine&) const = default;
};

// Learns, line by line, what a new content changes.
class ChangeObserver {
 public:
  virtual ~ChangeObserver() = default;
  // Line `line` of the script (0-based, `oldLine` with its line end) is replaced by `newText`:
  // no line (deleted), one, or several, each with its line end.
  virtual void Changed(std::int32_t line, std::string_view oldLine, std::string_view newText) = 0;
};

// A stretch of changes with the lines around it, numbered as a unified diff numbers them: from
// 1, and a count of 0 starts at the line before.
struct DiffHunk {
  std::int32_t oldStart = 0;
  std::int32_t oldCount = 0;
  std::int32_t newStart = 0;
  std::int32_t newCount = 0;
  std::vector<DiffLine> lines;
  bool operator==(const DiffHunk&) const = default;
};

// Gathers the changes that writing a new content makes, and turns them into hunks.
class ChangeCollector : public ChangeObserver {
 public:
  void Changed(std::int32_t line, std::string_view oldLine, std::string_view newText) override;
  // The changes with up to `context` unchanged lines around each; changes whose context would
  // touch share one hunk.
  std::vector<DiffHunk> Hunks(const script::TSubtitleFile& script, std::int32_t context = 3) const;
  // How many lines of the script the changes replace.
  std::size_t ChangedLines() const { return changes_.size(); }

 private:
  struct Change {
    std::int32_t line;
    std::string oldLine;
    std::string newText;
  };
  std::vector<Change> changes_;
};

// Counts the lines that writing a new content changes, and keeps nothing else.
class ChangeCounter : public ChangeObserver {
 public:
  void Changed(std::int32_t, std::string_view, std::string_view) override { ++changed_; }
  std::int32_t ChangedLines() const { return changed_; }

 private:
  std::int32_t changed_ = 0;
};

// A unified diff of one file: "--- PATH" and "+++ PATH", then the hunks. Every line keeps its own
// line end, byte for byte; a line without one is followed by "\ No newline at end of file", so
// that patch --binary makes the new content exactly.
std::string UnifiedDiff(std::string_view path, const std::vector<DiffHunk>& hunks);

}  // namespace nosk::engine
