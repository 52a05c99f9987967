// A file being written, every write and the close checked.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "script/bytesink.h"
#include "script/filedescriptor.h"
#include "script/outcome.h"

namespace nosk::script {

// Owns its descriptor: a file left open on any way out is closed (and its error dropped) when
// the object goes. Small writes are gathered in a buffer; large ones go straight to the file.
class OutputFile : public ByteSink {
 public:
  // Creates the file, which must not exist yet, with the given permission bits.
  Outcome CreateNew(const std::filesystem::path& path, unsigned permissions = 0600);
  // The same, for the file `name` in the folder open as `folder`; a link there is not followed.
  Outcome CreateNewIn(int folder, const std::string& name, unsigned permissions = 0600);
  // Appends bytes. False once any write has failed; later writes do nothing.
  bool Write(std::string_view bytes) override;
  // Writes what is buffered; the file stays open. The first failure of any write so far.
  Outcome Flush();
  // Writes what is buffered and closes the file: the first failure of any write or of the close.
  // Reasons are the system's ("No space left on device"); the caller says which file it was.
  Outcome Close();
  // The errno value of the first failure so far, 0 when there was none.
  int FirstError() const { return firstError_; }

  // The descriptor while the file is open, for metadata calls (permissions).
  int Descriptor() const { return descriptor_.Get(); }

 private:
  Outcome Opened(int descriptor);
  bool WriteThrough(std::string_view bytes);
  bool WriteBuffer();

  static constexpr std::size_t kBufferSize = 256 * 1024;

  FileDescriptor descriptor_;
  std::string buffer_;
  int firstError_ = 0;
};

}  // namespace nosk::script
