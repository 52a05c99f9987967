// New files written beside others before they take their place, and what is left of them.
#pragma once

#include <string>
#include <string_view>

#include "script/bytesink.h"
#include "script/folder.h"
#include "script/outcome.h"
#include "script/outputfile.h"

namespace nosk::script {

// A file created in a folder under a name nobody can guess (".nosk-PID-RANDOM.tmp", mode 0600),
// so that no other user can plant it to block a run or to read what is written. It is removed
// unless it is kept: when the object goes, and when SIGINT, SIGTERM or SIGHUP end the program
// while an InterruptCleanup is in force.
class TemporaryFile : public ByteSink {
 public:
  TemporaryFile() = default;
  ~TemporaryFile() override;
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  // Creates the file in `folder`, which must outlive it.
  Outcome Create(const Folder& folder);
  bool Write(std::string_view bytes) override;
  // Writes what is buffered; the file stays open, for its metadata.
  Outcome Flush() { return output_.Flush(); }
  // Writes what is buffered and closes it: the first failure of any write or of the close.
  Outcome Close() { return output_.Close(); }
  int Descriptor() const { return output_.Descriptor(); }
  const std::string& Name() const { return name_; }

  // From now on the name is not this file's to remove: it was renamed into place.
  void Keep();
  // Removes the file now.
  void Remove();

 private:
  int folder_ = -1;
  std::string name_;
  int slot_ = -1;  // its place among the files removed on a signal
  OutputFile output_;
};

// While one lives, SIGINT, SIGTERM and SIGHUP first remove the temporary files being written,
// then end the program as they would have. A signal the program ignores stays ignored.
class InterruptCleanup {
 public:
  InterruptCleanup();
  ~InterruptCleanup();
  InterruptCleanup(const InterruptCleanup&) = delete;
  InterruptCleanup& operator=(const InterruptCleanup&) = delete;
};

// Removes the temporary files that runs no longer alive left in the folder (a run killed
// outright cannot remove its own). Only the runner's own files are touched.
void RemoveStaleTemporaryFiles(const Folder& folder);

// Whether a name is one that TemporaryFile gives.
bool IsTemporaryName(std::string_view name);

}  // namespace nosk::script
