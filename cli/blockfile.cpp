#include "cli/blockfile.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include "script/encoding.h"

namespace nosk::cli {

std::vector<std::string> SplitBlockLines(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
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

script::Outcome ReadBlockFile(const std::string& name, std::vector<std::string>& lines) {
  std::string text;
  if (name == "-") {
    text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    if (std::cin.bad()) return script::Outcome::Failure("can't read the standard input");
  } else {
    if (std::error_code error; std::filesystem::is_directory(name, error)) {
      return script::Outcome::Failure("can't read " + name + ": it is a folder");
    }
    std::ifstream file(name, std::ios::binary);
    if (!file) {
      return script::Outcome::Failure("can't read " + name + ": " + script::ErrorText(errno));
    }
    text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (file.bad()) {
      return script::Outcome::Failure("can't read " + name + ": " + script::ErrorText(errno));
    }
  }
  if (!script::EncodeTypedText(text, script::ScriptEncoding::Utf8).complete) {
    return script::Outcome::Failure((name == "-" ? std::string("the standard input") : name) +
                                    " is not UTF-8 text");
  }
  lines = SplitBlockLines(text);
  return script::Outcome::Success();
}

}  // namespace nosk::cli
