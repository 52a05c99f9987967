// The list of scripts a run walks, as the window's file list or the command line holds it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "engine/scriptresult.h"
#include "script/scriptlocation.h"

namespace nosk::engine {

class FileList {
 public:
  virtual ~FileList() = default;
  virtual std::int32_t Count() const = 0;
  virtual bool GetChecked(std::int32_t i) const = 0;
  virtual std::filesystem::path GetPath(std::int32_t i) const = 0;
  // Where the list found entry i, when it found it by walking a folder: the run then reaches it
  // through that folder, never by its path again. None: the run locates the path itself.
  virtual std::optional<script::ScriptLocation> GetLocation(std::int32_t i) const {
    (void)i;
    return std::nullopt;
  }
  // Stores what the run did with entry i.
  virtual void StoreResult(std::int32_t i, const ScriptResult& result) = 0;
  // Stores what the run did with a script the list names only by its folder (an undo of a
  // folder takes back every script its last run changed). A list that shows only its own
  // entries drops it.
  virtual void StoreUnlistedResult(const std::filesystem::path& script,
                                   const ScriptResult& result) {
    (void)script;
    (void)result;
  }
};

}  // namespace nosk::engine
