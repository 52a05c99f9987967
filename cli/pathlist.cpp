#include "cli/pathlist.h"

#include <algorithm>
#include <cstdint>

#include "engine/nearmiss.h"
#include "engine/scriptdiff.h"
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

CollectedPaths CollectScriptPaths(const std::vector<std::string>& arguments, std::FILE* errors) {
  CollectedPaths collected;
  const auto problem = [&](const fs::path& path, const std::string& why) {
    std::fprintf(errors, "nosk-cli: %s: %s\n", script::PathText(path).c_str(), why.c_str());
    ++collected.problems;
  };
  for (const std::string& argument : arguments) {
    std::error_code error;
    const fs::path path = fs::absolute(fs::path(argument), error).lexically_normal();
    const fs::file_status status = fs::status(path, error);
    if (fs::is_directory(status)) {
      // An entry the listing fails at ends it: the scripts found before it are still taken.
      fs::directory_iterator entries(path, error);
      for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        std::error_code typeError;
        if (!entries->is_directory(typeError) &&
            script::IsScriptFileName(entries->path().filename().string())) {
          collected.scripts.push_back(entries->path());
        }
      }
      if (error) problem(path, "can't list the folder: " + error.message());
    } else if (script::IsScriptFileName(path.filename().string())) {
      // A missing script stays: the run reports it, as the window does a deleted entry.
      collected.scripts.push_back(path);
    } else if (status.type() == fs::file_type::not_found) {
      problem(path, "no such file or folder");
    } else if (error) {
      problem(path, "can't look at this path: " + error.message());
    } else {
      std::fprintf(errors, "nosk-cli: skipped %s: not a .ass or .ssa file\n",
                   script::PathText(path).c_str());
    }
  }
  std::sort(collected.scripts.begin(), collected.scripts.end(),
            [](const fs::path& a, const fs::path& b) { return Utf16Less(a.native(), b.native()); });
  collected.scripts.erase(std::unique(collected.scripts.begin(), collected.scripts.end()),
                          collected.scripts.end());
  return collected;
}

PathList::PathList(std::vector<fs::path> paths, TerminalHost& host, ResultOutput output)
    : paths_(std::move(paths)), host_(host), output_(output) {
  host_.SetFileNumber(1, Count());
}

bool PathList::GetChecked(std::int32_t) const { return true; }

fs::path PathList::GetPath(std::int32_t i) const { return paths_[i]; }

void PathList::StoreResult(std::int32_t i, const engine::ScriptResult& result) {
  host_.ClearLine();
  const std::string path = script::PathText(paths_[i]);
  if (output_.diff != nullptr && !result.changes.empty()) {
    const std::string diff = engine::UnifiedDiff(path, result.changes);
    std::fwrite(diff.data(), 1, diff.size(), output_.diff);
    std::fflush(output_.diff);
  }
  const std::string code =
      result.code == engine::kFailed ? "Error" : script::IntToText(result.code);
  std::fprintf(output_.results, "%s\t%s\n", code.c_str(), path.c_str());
  std::fflush(output_.results);
  if (result.code == engine::kFailed || result.announce) ++failures_;
  if (!result.reason.empty()) {
    std::fprintf(output_.reasons, "nosk-cli: %s: %s\n", path.c_str(), result.reason.c_str());
  }
  if (output_.explain && result.nearMiss) {
    const std::string explained = engine::DescribeNearMiss(*result.nearMiss);
    std::fprintf(output_.reasons, "nosk-cli: %s: %s", path.c_str(), explained.c_str());
  }
  host_.SetFileNumber(i + 2, Count());
}

}  // namespace nosk::cli
