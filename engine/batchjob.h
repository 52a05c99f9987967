// One run over the file list: the checks before it, then each script planned and, when the run
// writes, applied.
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
#include "engine/contenthash.h"
#include "engine/filelist.h"
#include "engine/folderinuse.h"
#include "engine/formatconversion.h"
#include "engine/rangelist.h"
#include "engine/searchblock.h"
#include "engine/writtenfilesystems.h"
#include "script/encoding.h"
#include "script/filedescriptor.h"
#include "script/folder.h"
#include "script/host.h"
#include "script/scriptlocation.h"
#include "script/subtitlefile.h"

namespace nosk::engine {

// What the user typed for a run: the lines of the editors (UTF-8, no line ends) and the shift
// amount with its direction.
struct EditorTexts {
  std::vector<std::string> SearchLines;   // the Search editor of the active page
  std::vector<std::string> ReplaceLines;  // the Replace editor of "Script Replace"
  std::string ShiftText = "0:00:00.00";   // the shift amount, H:MM:SS.CC
  bool ShiftForward = true;
};

// What a run does with the scripts it finds something in.
enum class RunMode {
  Count,    // counts only ("Search"): the replace and times modes are None
  Preview,  // works out each script's new content as a write would, and writes nothing
  Write,    // writes each script's new content, keeping its previous version
};

// What a preview showed of one script, so that applying the preview writes exactly that.
struct PreviewedScript {
  script::FileIdentity identity;  // the version previewed
  ContentHash newContent;         // the content previewed
};

// How a run works beside its settings.
struct RunOptions {
  // How long a writing run waits for another Nosk run working in the same folder before it
  // refuses that folder's scripts.
  std::chrono::milliseconds folderLockWait = std::chrono::seconds(60);
  // Each result gets the changes as a diff (a preview of one script, nosk-cli --diff).
  bool collectChanges = false;
  // Each script the block was not found in gets where the block came closest.
  bool explainMisses = false;
  // A write that applies a preview: a script is written only while it is still the version
  // previewed, and only with the content previewed; a script not listed is not written.
  const std::map<std::filesystem::path, PreviewedScript>* previewed = nullptr;
};

// One run. Count and Preview write nothing. Returns false when the run stopped at a check
// before any file was opened: the status text says why, and the file list keeps its results.
// Otherwise every entry gets its result. The settings are the run's own from the start: a copy
// with the replace and times modes None when counting, and the shift amount taken from the
// editor texts on the "Timing Shift" page. The process ignores SIGXFSZ from then on, so that a
// file size limit fails a script instead of ending the program; while a writing run lasts,
// SIGINT, SIGTERM and SIGHUP remove its temporary files first.
bool RunBatch(script::Host& host, FileList& files, const BatchSettings& settings,
              const EditorTexts& editors, RunMode mode, const RunOptions& options = {});

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
  // `journal` describes the run for the journal of every folder it writes in.
  BatchJob(script::Host& host, const BatchSettings& settings, Block searchBlock, Block replaceBlock,
           RunMode mode, const RunOptions& options = {}, JournalRecord journal = {});

  // Stores one result per entry, in order; a failed entry never stops the run.
  void ProcessFileList(FileList& files);
  // The result of one script: planned (found, locked when the run writes, opened, loaded,
  // indexed, searched) and then previewed or applied.
  ScriptResult ProcessScript(const std::filesystem::path& path);
  // Lets the last folder go, writing its journal record, and flushes the file systems written
  // to; what went wrong, if anything, for the user.
  script::Outcome Finish();

 private:
  // One script as planning leaves it: open, loaded, and with the ranges the run concerns.
  struct Plan {
    std::filesystem::path path;
    script::ScriptLocation location;
    script::FileDescriptor file;
    script::TSubtitleFile script;
    const EncodedBlocks* blocks = nullptr;
    RangeList ranges;
    // A format conversion's new content, when it differs from the script's.
    std::optional<Conversion> conversion;
  };

  class ChangeTracker;

  ScriptResult PlanScript(Plan& plan);
  // A loaded script's conversion: its result, and the new content in the plan.
  ScriptResult PlanConversion(Plan& plan, const script::FileIdentity& identity);
  // The new content, hashed and (when asked) as changes, written nowhere.
  void PreviewScript(const Plan& plan, ScriptResult& result);
  // The new content written through the rewrite protocol, and noted for the journal.
  void ApplyScript(const Plan& plan, ScriptResult& result);
  // A writer of the new content: into `sink`, which hashes it, telling `changes` if asked.
  void WriteContent(const Plan& plan, script::ByteSink& sink, ChangeObserver* changes) const;
  const EncodedBlocks& BlocksFor(script::ScriptEncoding encoding);

  script::Host& host_;
  const BatchSettings settings_;
  const Block searchBlock_;
  const Block replaceBlock_;
  const RunMode mode_;
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
