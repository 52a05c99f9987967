#include "engine/scriptdiff.h"

#include <algorithm>

#include "script/timecodes.h"

namespace nosk::engine {
namespace {

// The lines of a text, each through its LF; the last without one when the text does not end
// with LF.
std::vector<std::string_view> LinesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::size_t length = end == std::string_view::npos ? text.size() : end + 1;
    lines.push_back(text.substr(0, length));
    text.remove_prefix(length);
  }
  return lines;
}

// The start a unified diff gives a stretch of `count` lines beginning at 0-based line `first`.
std::int32_t UnifiedStart(std::int32_t first, std::int32_t count) {
  return count > 0 ? first + 1 : first;
}

}  // namespace

void ChangeCollector::Changed(std::int32_t line, std::string_view oldLine,
                              std::string_view newText) {
  changes_.push_back({line, std::string(oldLine), std::string(newText)});
}

std::vector<DiffHunk> ChangeCollector::Hunks(const script::TSubtitleFile& script,
                                             std::int32_t context) const {
  std::vector<DiffHunk> hunks;
  // A script that ends with a line end has an empty piece after it, which is no line of a diff.
  std::int32_t lineCount = script.LineCount();
  if (lineCount > 0 && script.GetLine(lineCount - 1).empty()) --lineCount;
  std::int32_t delta = 0;  // new lines minus old lines, before the hunk being built
  for (std::size_t first = 0; first < changes_.size();) {
    std::size_t last = first;
    while (last + 1 < changes_.size() &&
           changes_[last + 1].line - changes_[last].line - 1 <= 2 * context) {
      ++last;
    }
    const std::int32_t from = std::max(changes_[first].line - context, 0);
    const std::int32_t to = std::min(changes_[last].line + context, lineCount - 1);
    DiffHunk hunk;
    std::size_t next = first;
    std::int32_t oldCount = 0;
    std::int32_t newCount = 0;
    std::int32_t hunkDelta = 0;
    for (std::int32_t line = from; line <= to; ++line) {
      if (next <= last && changes_[next].line == line) {
        // A run of changed lines in a row: its old lines first, then its new ones, as diff
        // shows them.
        std::vector<DiffLine> added;
        for (; next <= last && changes_[next].line == line; ++next, ++line) {
          const Change& change = changes_[next];
          hunk.lines.push_back({'-', change.oldLine});
          ++oldCount;
          const std::vector<std::string_view> texts = LinesOf(change.newText);
          for (const std::string_view text : texts) added.push_back({'+', std::string(text)});
          hunkDelta += static_cast<std::int32_t>(texts.size()) - 1;
        }
        --line;
        newCount += static_cast<std::int32_t>(added.size());
        hunk.lines.insert(hunk.lines.end(), added.begin(), added.end());
      } else {
        hunk.lines.push_back({' ', std::string(script.GetLine(line))});
        ++oldCount;
        ++newCount;
      }
    }
    hunk.oldStart = UnifiedStart(from, oldCount);
    hunk.oldCount = oldCount;
    hunk.newStart = UnifiedStart(from + delta, newCount);
    hunk.newCount = newCount;
    hunks.push_back(std::move(hunk));
    delta += hunkDelta;
    first = last + 1;
  }
  return hunks;
}

std::string UnifiedDiff(std::string_view path, const std::vector<DiffHunk>& hunks) {
  std::string diff;
  diff.append("--- ").append(path).append("\n+++ ").append(path).append("\n");
  for (const DiffHunk& hunk : hunks) {
    diff.append("@@ -")
        .append(script::IntToText(hunk.oldStart))
        .append(",")
        .append(script::IntToText(hunk.oldCount))
        .append(" +")
        .append(script::IntToText(hunk.newStart))
        .append(",")
        .append(script::IntToText(hunk.newCount))
        .append(" @@\n");
    for (const DiffLine& line : hunk.lines) {
      diff.push_back(line.kind);
      diff.append(line.text);
      if (!line.text.ends_with('\n')) diff.append("\n\\ No newline at end of file\n");
    }
  }
  return diff;
}

}  // namespace nosk::engine
