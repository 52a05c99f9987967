#include "engine/editortext.h"

namespace nosk::engine {

std::vector<std::string> SplitEditorText(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t lineFeed = text.find('\n');
    std::string_view line = text.substr(0, lineFeed);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.emplace_back(line);
    if (lineFeed == std::string_view::npos) break;
    text.remove_prefix(lineFeed + 1);
  }
  return lines;
}

}  // namespace nosk::engine
