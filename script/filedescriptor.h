// One open file descriptor and its single owner.
#pragma once

namespace nosk::script {

// Closes its descriptor when it goes, so that no way out of a function can leak one. Moves, never
// copies.
class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
  ~FileDescriptor() { Reset(); }
  FileDescriptor(FileDescriptor&& other) noexcept : descriptor_(other.Release()) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  bool Valid() const { return descriptor_ >= 0; }
  int Get() const { return descriptor_; }
  // Gives the descriptor up without closing it.
  int Release() {
    const int descriptor = descriptor_;
    descriptor_ = -1;
    return descriptor;
  }
  // Closes the descriptor held, if any, and holds `descriptor` instead.
  void Reset(int descriptor = -1);
  // Closes the descriptor now: 0, or the errno value of a failed close (a delayed write that
  // failed on NFS or a full quota shows only here).
  int Close();

 private:
  int descriptor_ = -1;
};

}  // namespace nosk::script
