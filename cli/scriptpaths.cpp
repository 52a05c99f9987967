#include "cli/scriptpaths.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <functional>

#include "script/eventline.h"
#include "script/folder.h"
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
// the window, and is followed by the run's own rules), and its subfolders (real folders only: a
// link to a folder is never entered; a backup folder neither).
struct FolderEntries {
  std::vector<CollectedScript> scripts;
  std::vector<std::string> subfolders;
};

// An entry the listing fails at ends it: what was found before it is still taken. 0 or the
// errno value of that failure.
int ListFolder(const script::Folder& folder, FolderEntries& entries) {
  entries = {};
  return folder.ForEachTypedEntry([&](const std::string& name, unsigned char type) {
    // A script's name on a regular file needs no stat: most entries of a season's folder.
    if (type == DT_REG) {
      if (!script::IsScriptFileName(name)) return;
      const fs::path path = folder.PathOf(name);
      entries.scripts.push_back({path, script::ScriptLocation{path, folder, name, false}});
      return;
    }
    if (type != DT_DIR && !script::IsScriptFileName(name)) return;
    if (type != DT_DIR && type != DT_LNK && type != DT_UNKNOWN) {
      // A FIFO or a device under a script's name: the run says what it is.
      entries.scripts.push_back({folder.PathOf(name), std::nullopt});
      return;
    }
    struct stat status {};
    if (folder.StatEntry(name, status) != 0) return;
    if (S_ISDIR(status.st_mode)) {
      if (name != kBackupFolder) entries.subfolders.push_back(name);
      return;
    }
    if (!script::IsScriptFileName(name)) return;
    CollectedScript script{folder.PathOf(name), std::nullopt};
    if (S_ISREG(status.st_mode)) {
      script.location = script::ScriptLocation{script.path, folder, name, false};
    } else if (S_ISLNK(status.st_mode)) {
      // A link to a folder is no script; any other link is left to the run, which follows it
      // only to a file of the link's owner.
      struct stat target {};
      if (::fstatat(folder.Descriptor(), name.c_str(), &target, 0) == 0 &&
          S_ISDIR(target.st_mode)) {
        return;
      }
    }
    entries.scripts.push_back(std::move(script));
  });
}

// Whether a script is anywhere below these folders' subfolders; a folder that cannot be opened
// or listed counts as holding none.
bool HoldScripts(const script::Folder& folder, const std::vector<std::string>& subfolders) {
  std::vector<script::Folder> folders;
  for (const std::string& name : subfolders) {
    script::Folder child;
    if (folder.OpenChild(name, child) == 0) folders.push_back(std::move(child));
  }
  while (!folders.empty()) {
    const script::Folder next = std::move(folders.back());
    folders.pop_back();
    FolderEntries entries;
    ListFolder(next, entries);
    if (!entries.scripts.empty()) return true;
    for (const std::string& name : entries.subfolders) {
      script::Folder child;
      if (next.OpenChild(name, child) == 0) folders.push_back(std::move(child));
    }
  }
  return false;
}

using Problem = std::function<void(const fs::path& path, const std::string& why)>;

// Walks the folders from `top` down, each opened from its parent's descriptor, never through a
// link: `visit` gets each folder and what it holds, and says whether its subfolders are entered.
// A folder that cannot be listed, or opened (swapped for a link or a file since it was listed),
// is a problem.
void WalkFolders(const script::Folder& top, const Problem& problem,
                 const std::function<bool(const script::Folder&, FolderEntries&)>& visit) {
  std::vector<script::Folder> folders = {top};
  while (!folders.empty()) {
    const script::Folder folder = std::move(folders.back());
    folders.pop_back();
    FolderEntries entries;
    if (const int listing = ListFolder(folder, entries); listing != 0) {
      problem(folder.Path(), "can't list the folder: " + script::ErrorText(listing));
    }
    if (!visit(folder, entries)) continue;
    for (const std::string& name : entries.subfolders) {
      script::Folder child;
      if (const int error = folder.OpenChild(name, child); error != 0) {
        problem(folder.PathOf(name), "can't open the folder: " + script::ErrorText(error));
        continue;
      }
      folders.push_back(std::move(child));
    }
  }
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
      // The folder named is opened as the user spelt it, links and all; everything below it is
      // reached from its descriptor.
      script::Folder top;
      if (const script::Outcome opened = script::Folder::Open(path, top); !opened) {
        problem(path, script::English(opened.message()));
        continue;
      }
      WalkFolders(top, problem, [&](const script::Folder& folder, FolderEntries& entries) {
        for (CollectedScript& script : entries.scripts) {
          collected.scripts.push_back(std::move(script));
        }
        if (!recursive && HoldScripts(folder, entries.subfolders)) {
          std::fprintf(errors,
                       "nosk-cli: skipped the subfolders of %s, which hold scripts too; -r "
                       "takes them\n",
                       script::PathText(folder.Path()).c_str());
        }
        return recursive;
      });
    } else if (script::IsScriptFileName(path.filename().string())) {
      // A missing script stays: the run reports it, as the window does a deleted entry.
      collected.scripts.push_back({path, std::nullopt});
    } else if (status.type() == fs::file_type::not_found) {
      problem(path, "no such file or folder");
    } else if (error) {
      problem(path, "can't look at this path: " + error.message());
    } else {
      std::fprintf(errors, "nosk-cli: skipped %s: not a .ass or .ssa file\n",
                   script::PathText(path).c_str());
    }
  }
  // In list order; a script named twice (a folder and one of its scripts) is taken once, as
  // its folder's walk found it.
  std::stable_sort(collected.scripts.begin(), collected.scripts.end(),
                   [](const CollectedScript& a, const CollectedScript& b) {
                     if (a.path != b.path) return Utf16Less(a.path.native(), b.path.native());
                     return a.location.has_value() && !b.location.has_value();
                   });
  collected.scripts.erase(std::unique(collected.scripts.begin(), collected.scripts.end(),
                                      [](const CollectedScript& a, const CollectedScript& b) {
                                        return a.path == b.path;
                                      }),
                          collected.scripts.end());
  return collected;
}

CollectedPaths CollectFoldersWithRuns(const std::vector<std::string>& arguments,
                                      std::FILE* errors) {
  CollectedPaths collected;
  const auto problem = [&](const fs::path& path, const std::string& why) {
    std::fprintf(errors, "nosk-cli: %s: %s\n", script::PathText(path).c_str(), why.c_str());
    ++collected.problems;
  };
  for (const std::string& argument : arguments) {
    collected.scripts.push_back({argument, std::nullopt});
    std::error_code error;
    const fs::path path = fs::absolute(fs::path(argument), error).lexically_normal();
    if (!fs::is_directory(path, error)) continue;
    script::Folder top;
    if (!script::Folder::Open(path, top)) continue;  // the undo says why
    WalkFolders(top, problem, [&](const script::Folder& folder, FolderEntries&) {
      struct stat backups {};
      if (folder.Path() != top.Path() &&
          folder.StatEntry(std::string(kBackupFolder), backups) == 0) {
        collected.scripts.push_back({folder.Path(), std::nullopt});
      }
      return true;
    });
  }
  return collected;
}

}  // namespace nosk::cli
