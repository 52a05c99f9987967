#include "cli/pathlist.h"

#include <algorithm>
#include <cstdint>

#include "script/eventline.h"
#include "script/outcome.h"
#include "script/timecodes.h"

namespace nosk::cli {
namespace {

namespace fs = std::filesystem;

// The next code point of UTF-8 text, mapped to a key that orders as UTF-16 code units do:
// supplementary characters (surrogate pairs in UTF-16) sort between U+D7FF and U+E000. A byte
// that starts no well-formed sequence stands for itself in the surrogate range, as undecodable
// bytes of a file name do elsewhere.
std::uint32_t NextUtf16Key(std::string_view text, std::size_t& at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || at + length > text.size()) {
    ++at;
    return 0xDC00 + lead;
  }
  std::uint32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) {
      ++at;
      return 0xDC00 + lead;
    }
    codePoint = (codePoint << 6) | (byte(at + i) & 0x3F);
  }
  at += length;
  if (codePoint >= 0x10000) return 0xD800 + (codePoint - 0x10000) / 0x400;  // the high surrogate
  return codePoint;
}

}  // namespace

bool Utf16Less(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const std::size_t startA = i;
    const std::size_t startB = j;
    const std::uint32_t keyA = NextUtf16Key(a, i);
    const std::uint32_t keyB = NextUtf16Key(b, j);
    if (keyA != keyB) return keyA < keyB;
    // Equal high surrogates: the rest of the code point decides, as the low surrogate would.
    const std::string_view restA = a.substr(startA, i - startA);
    const std::string_view restB = b.substr(startB, j - startB);
    if (restA != restB) return restA < restB;
  }
  return i == a.size() && j < b.size();
}

std::vector<fs::path> CollectScriptPaths(const std::vector<std::string>& arguments,
                                         std::FILE* errors) {
  std::vector<fs::path> paths;
  for (const std::string& argument : arguments) {
    std::error_code error;
    const fs::path path = fs::absolute(fs::path(argument), error).lexically_normal();
    if (fs::is_directory(path, error)) {
      for (const fs::directory_entry& entry : fs::directory_iterator(path, error)) {
        if (!entry.is_directory(error) &&
            script::IsScriptFileName(entry.path().filename().string())) {
          paths.push_back(entry.path());
        }
      }
      if (error) {
        std::fprintf(errors, "nosk-cli: can't list the folder %s: %s\n", argument.c_str(),
                     error.message().c_str());
      }
    } else if (script::IsScriptFileName(path.filename().string())) {
      paths.push_back(path);
    } else {
      std::fprintf(errors, "nosk-cli: skipped %s: not a .ass or .ssa file\n", argument.c_str());
    }
  }
  std::sort(paths.begin(), paths.end(),
            [](const fs::path& a, const fs::path& b) { return Utf16Less(a.native(), b.native()); });
  paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
  return paths;
}

PathList::PathList(std::vector<fs::path> paths, TerminalHost& host, std::FILE* out,
                   std::FILE* errors)
    : paths_(std::move(paths)), host_(host), out_(out), errors_(errors) {
  host_.SetFileNumber(1, Count());
}

bool PathList::GetChecked(std::int32_t) const { return true; }

fs::path PathList::GetPath(std::int32_t i) const { return paths_[i]; }

void PathList::StoreResult(std::int32_t i, const engine::ScriptResult& result) {
  host_.ClearLine();
  const std::string path = script::PathText(paths_[i]);
  const std::string code = result.code == engine::kFailed ? "Error" : script::IntToText(result.code);
  std::fprintf(out_, "%s\t%s\n", code.c_str(), path.c_str());
  std::fflush(out_);
  if (result.code == engine::kFailed) {
    ++failures_;
    std::fprintf(errors_, "nosk-cli: %s: %s\n", path.c_str(), result.reason.c_str());
  }
  host_.SetFileNumber(i + 2, Count());
}

}  // namespace nosk::cli
