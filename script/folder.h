// A folder reached through its own descriptor.
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "script/filedescriptor.h"
#include "script/fileidentity.h"
#include "script/outcome.h"

namespace nosk::script {

// Files in a folder are opened, examined, created, renamed and removed by name relative to the
// folder's descriptor, so that a folder renamed, or swapped for a link, while a run works cannot
// send those calls anywhere else. Copies share the one descriptor, which closes with the last.
class Folder {
 public:
  // Opens the folder at `path`. Links on the way are followed as the path names them: the user
  // named it so.
  static Outcome Open(const std::filesystem::path& path, Folder& folder);
  // Opens the folder `name` inside this one, refusing a link: 0 or an errno value (ELOOP for a
  // link, ENOTDIR for anything else that is no folder).
  int OpenChild(const std::string& name, Folder& child) const;

  bool IsOpen() const { return descriptor_ && descriptor_->Valid(); }
  int Descriptor() const { return descriptor_ ? descriptor_->Get() : -1; }
  // The path it was opened by: for messages, and for naming an entry to other programs.
  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path PathOf(std::string_view name) const { return path_ / name; }
  // The folder as it was when opened.
  const struct stat& Status() const { return status_; }
  FileIdentity Identity() const { return FileIdentity::Of(status_); }

  // The entry `name` itself (a link is not followed): 0 or an errno value.
  int StatEntry(const std::string& name, struct stat& status) const;
  // Calls `visit` with the name of every entry but "." and "..": 0, or the errno value that
  // ended the listing.
  int ForEachEntry(const std::function<void(const std::string& name)>& visit) const;
  // The same, with the entry's type as the listing gives it (DT_REG, DT_DIR, DT_LNK, ...;
  // DT_UNKNOWN where the file system does not tell), which saves a stat per entry.
  int ForEachTypedEntry(
      const std::function<void(const std::string& name, unsigned char type)>& visit) const;

 private:
  std::shared_ptr<const FileDescriptor> descriptor_;
  std::filesystem::path path_;
  struct stat status_ {};
};

}  // namespace nosk::script
