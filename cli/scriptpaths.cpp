#include "cli/scriptpaths.h"

#include <algorithm>
#include <cstdint>

#include "script/eventline.h"
#include "script/outcome.h"

namespace nosk::cli {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kBackupFolder = "Nosk_backup";

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

// What a folder holds that a run may take: its scripts (a link to a file counts, as it does in
// the window), and its subfolders (real folders only: a link to a folder is never entered; a
// backup folder neither).
struct FolderEntries {
  std::vector<fs::path> scripts;
  std::vector<fs::path> subfolders;
};

// An entry the listing fails at ends it: what was found before it is still taken.
FolderEntries ListFolder(const fs::path& folder, std::error_code& error) {
  FolderEntries entries;
  fs::directory_iterator listing(folder, error);
  for (; !error && listing != fs::directory_iterator(); listing.increment(error)) {
    std::error_code typeError;
    const fs::path& path = listing->path();
    if (listing->symlink_status(typeError).type() == fs::file_type::directory) {
      if (path.filename() != kBackupFolder) entries.subfolders.push_back(path);
    } else if (!listing->is_directory(typeError) &&
               script::IsScriptFileName(path.filename().string())) {
      entries.scripts.push_back(path);
    }
  }
  return entries;
}

// Whether a script is anywhere below these folders; a folder that cannot be listed counts as
// holding none.
bool HoldScripts(std::vector<fs::path> folders) {
  while (!folders.empty()) {
    const fs::path folder = std::move(folders.back());
    folders.pop_back();
    std::error_code error;
    FolderEntries entries = ListFolder(folder, error);
    if (!entries.scripts.empty()) return true;
    folders.insert(folders.end(), entries.subfolders.begin(), entries.subfolders.end());
  }
  return false;
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

CollectedPaths CollectScriptPaths(const std::vector<std::string>& arguments, bool recursive,
                                  std::FILE* errors) {
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
      std::vector<fs::path> folders = {path};
      while (!folders.empty()) {
        const fs::path folder = std::move(folders.back());
        folders.pop_back();
        std::error_code listingError;
        FolderEntries entries = ListFolder(folder, listingError);
        if (listingError) problem(folder, "can't list the folder: " + listingError.message());
        collected.scripts.insert(collected.scripts.end(), entries.scripts.begin(),
                                 entries.scripts.end());
        if (recursive) {
          folders.insert(folders.end(), entries.subfolders.begin(), entries.subfolders.end());
        } else if (HoldScripts(std::move(entries.subfolders))) {
          std::fprintf(errors,
                       "nosk-cli: skipped the subfolders of %s, which hold scripts too; -r "
                       "takes them\n",
                       script::PathText(folder).c_str());
        }
      }
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

}  // namespace nosk::cli
