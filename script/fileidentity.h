// What tells one version of a file from another.
#pragma once

struct stat;

namespace nosk::script {

struct FileIdentity {
  unsigned long long device = 0;
  unsigned long long inode = 0;
  long long size = -1;
  long long modifiedNanoseconds = 0;
  // The inode's change time: any write, even one that puts the modification time back, and any
  // change of owner, mode or links moves it.
  long long changedNanoseconds = 0;
  unsigned owner = 0;
  unsigned group = 0;
  unsigned mode = 0;
  unsigned long long links = 0;

  static FileIdentity Of(const struct stat& status);

  // The same file (inode), whatever its version.
  bool SameFile(const FileIdentity& other) const {
    return device == other.device && inode == other.inode;
  }
  // The same file in the same version: nothing written to it, nothing about it changed.
  bool SameVersion(const FileIdentity& other) const {
    return SameFile(other) && size == other.size &&
           modifiedNanoseconds == other.modifiedNanoseconds &&
           changedNanoseconds == other.changedNanoseconds && owner == other.owner &&
           group == other.group && mode == other.mode && links == other.links;
  }
  // The same file in the same state, as the run journal records it: nothing written to it, no
  // name put over it, nothing about it changed (its change time would have moved).
  bool SameState(const FileIdentity& other) const {
    return SameFile(other) && size == other.size &&
           modifiedNanoseconds == other.modifiedNanoseconds &&
           changedNanoseconds == other.changedNanoseconds;
  }
  // The same file with the same content as far as size and modification time tell; its links
  // (and so its change time) may differ.
  bool SameContent(const FileIdentity& other) const {
    return SameFile(other) && size == other.size &&
           modifiedNanoseconds == other.modifiedNanoseconds;
  }
};

}  // namespace nosk::script
