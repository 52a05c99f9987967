// One script in a folder of its own, with the files beside it (blocks, texts), and nosk-cli run
// on it. For test programs that define NOSK_CLI.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tests/common/process.h"
#include "tests/common/tempfolder.h"

namespace nosk::testsupport {

struct Episode {
  TempFolder folder;
  std::filesystem::path path;

  explicit Episode(const std::string& bytes) : path(folder / "episode.ass") {
    WriteBytes(path, bytes);
  }
  // nosk-cli with `arguments`, then -- and the script.
  ProcessResult Run(std::vector<std::string> arguments) const {
    arguments.push_back("--");
    arguments.push_back(path.string());
    return RunProcess(NOSK_CLI, arguments);
  }
  // A file beside the script.
  std::filesystem::path Block(const std::string& name, const std::string& bytes) const {
    WriteBytes(folder / name, bytes);
    return folder / name;
  }
  // The result line a run gives the script.
  std::string Result(const std::string& count) const { return count + "\t" + path.string() + "\n"; }
};

}  // namespace nosk::testsupport
