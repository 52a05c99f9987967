// The list of scripts a run walks, as the window's file list or the command line holds it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace nosk::engine {

// Result codes: the entry was not processed, or the run failed for it. Any other value is the
// count the run reported for the script.
inline constexpr std::int32_t kNotProcessed = -2;
inline constexpr std::int32_t kFailed = -1;

class FileList {
 public:
  virtual ~FileList() = default;
  virtual std::int32_t Count() const = 0;
  virtual bool GetChecked(std::int32_t i) const = 0;
  virtual std::filesystem::path GetPath(std::int32_t i) const = 0;
  // Stores the result code of entry i. `reason` says why when the code is kFailed; it is empty
  // otherwise.
  virtual void StoreResult(std::int32_t i, std::int32_t result, const std::string& reason) = 0;
};

}  // namespace nosk::engine
