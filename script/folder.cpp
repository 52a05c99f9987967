#include "script/folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace nosk::script {
namespace {

int OpenFolderAt(int base, const char* name, int extraFlags, FileDescriptor& descriptor,
                 struct stat& status) {
  descriptor.Reset(::openat(base, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC | extraFlags));
  if (!descriptor.Valid()) return errno;
  if (::fstat(descriptor.Get(), &status) != 0) return errno;
  return 0;
}

}  // namespace

Outcome Folder::Open(const std::filesystem::path& path, Folder& folder) {
  folder.path_ = path.empty() ? std::filesystem::path(".") : path;
  folder.descriptor_.reset();
  FileDescriptor descriptor;
  int error = OpenFolderAt(AT_FDCWD, folder.path_.c_str(), 0, descriptor, folder.status_);
  // A folder its user may pass through but not list still reaches its files.
  if (error == EACCES) {
    error = OpenFolderAt(AT_FDCWD, folder.path_.c_str(), O_PATH, descriptor, folder.status_);
  }
  if (error != 0) {
    return Outcome::Failure(
        Message(MessageId::CantOpenFolder, {folder.path_}).Because(Message::System(error)));
  }
  folder.descriptor_ = std::make_shared<const FileDescriptor>(std::move(descriptor));
  return Outcome::Success();
}

int Folder::OpenChild(const std::string& name, Folder& child) const {
  child.path_ = PathOf(name);
  struct stat entry {};
  if (const int error = StatEntry(name, entry); error != 0) return error;
  if (S_ISLNK(entry.st_mode)) return ELOOP;
  if (!S_ISDIR(entry.st_mode)) return ENOTDIR;
  FileDescriptor descriptor;
  const int error = OpenFolderAt(Descriptor(), name.c_str(), O_NOFOLLOW, descriptor, child.status_);
  child.descriptor_.reset();
  if (error == 0) child.descriptor_ = std::make_shared<const FileDescriptor>(std::move(descriptor));
  return error;
}

int Folder::StatEntry(const std::string& name, struct stat& status) const {
  return ::fstatat(Descriptor(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : errno;
}

int Folder::ForEachEntry(const std::function<void(const std::string& name)>& visit) const {
  return ForEachTypedEntry([&](const std::string& name, unsigned char) { visit(name); });
}

int Folder::ForEachTypedEntry(
    const std::function<void(const std::string& name, unsigned char type)>& visit) const {
  // A descriptor of the listing's own, which the listing owns and closes.
  FileDescriptor listing(::openat(Descriptor(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!listing.Valid()) return errno;
  const std::unique_ptr<DIR, int (*)(DIR*)> entries(::fdopendir(listing.Get()), ::closedir);
  if (!entries) return errno;
  listing.Release();
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(entries.get());
    if (entry == nullptr) return errno;
    const std::string name = entry->d_name;
    if (name != "." && name != "..") visit(name, entry->d_type);
  }
}

}  // namespace nosk::script
