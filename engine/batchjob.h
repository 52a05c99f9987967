// One run over the file list: the checks before it, and the work on each script.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/batchsettings.h"
#include "engine/filelist.h"
#include "engine/folderinuse.h"
#include "engine/searchblock.h"
#include "engine/writtenfilesystems.h"
#include "script/encoding.h"
#include "script/folder.h"
#include "script/host.h"

namespace nosk::engine {

// What the user typed for a run: the lines of the editors (UTF-8, no line ends) and the shift
// amount with its direction.
struct EditorTexts {
  std::vector<std::string> SearchLines;   // the Search editor of the active page
  std::vector<std::string> ReplaceLines;  // the Replace editor of "Script Replace"
  std::string ShiftText = "0:00:00.00";   // the shift amount, H:MM:SS.CC
  bool ShiftForward = true;
};

// How a run behaves beside other runs.
struct RunOptions {
  // How long a rewriting run waits for another Nosk run working in the same folder before it
  // refuses that folder's scripts.
  std::chrono::milliseconds folderLockWait = std::chrono::seconds(60);
};

// One run. `execute` false counts only (nothing is written); true replaces or shifts. Returns
// false when the run stopped at a check before any file was opened: the status text says why,
// and the file list keeps its results. Otherwise every entry gets its result. The settings'
// ShiftAmount is set from the editor texts on the "Timing Shift" page. The process ignores
// SIGXFSZ from then on, so that a file size limit fails a script instead of ending the program;
// while a rewriting run lasts, SIGINT, SIGTERM and SIGHUP remove its temporary files first.
bool RunBatch(script::Host& host, FileList& files, BatchSettings& settings,
              const EditorTexts& editors, bool execute, const RunOptions& options = {});

// False, with the status text "No files.", when the list has no entry.
bool CheckFileList(script::Host& host, const FileList& files);

// The blocks of a run in the bytes of a script of one encoding.
struct EncodedBlocks {
  Block search;
  Block replace;
  bool searchCanMatch = true;  // false when an item holds a character the encoding lacks
};

// The work of one run on its scripts, with the blocks already read and checked.
class BatchJob {
 public:
  BatchJob(script::Host& host, const BatchSettings& settings, Block searchBlock, Block replaceBlock,
           bool execute, const RunOptions& options = {});

  // Stores one result per entry, in order; a failed entry never stops the run.
  void ProcessFileList(FileList& files);
  // The result of one script: finds where it really is, locks its folder when the run writes,
  // opens, loads, indexes, searches and, when the run writes and something was found, rewrites
  // it. The encoding is found from the byte-order mark of the loaded bytes.
  ScriptResult ProcessScript(const std::filesystem::path& path);
  // Lets the last folder go and flushes the file systems written to; a failure, if any, for the
  // user.
  script::Outcome Finish();

 private:
  const EncodedBlocks& BlocksFor(script::ScriptEncoding encoding);

  script::Host& host_;
  const BatchSettings& settings_;
  const Block searchBlock_;
  const Block replaceBlock_;
  const bool execute_;
  const RunOptions options_;
  std::array<std::optional<EncodedBlocks>, 5> blocksByEncoding_;
  script::Folder lastFolder_;  // of the script listed before
  FolderInUse folderInUse_;
  WrittenFileSystems written_;
  // The files this run has worked on, by device and inode: one reached under a second name (a
  // link, a hard link, another spelling of its folder) is not worked on twice.
  std::map<std::pair<unsigned long long, unsigned long long>, std::filesystem::path> seen_;
};

}  // namespace nosk::engine
