#include "cli/blockfile.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include "engine/editortext.h"
#include "script/encoding.h"

namespace nosk::cli {

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
  std::string_view content = text;
  if (content.starts_with("\xEF\xBB\xBF")) content.remove_prefix(3);
  lines = engine::SplitEditorText(content);
  return script::Outcome::Success();
}

}  // namespace nosk::cli
