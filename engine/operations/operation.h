// What a kind of edit is to the run that does it: its inputs checked, its scripts listed, one
// script planned, and the run described.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "engine/filelist.h"
#include "engine/host.h"
#include "engine/internal/progressphase.h"
#include "engine/internal/rundescription.h"
#include "engine/run.h"
#include "engine/runrequest.h"
#include "engine/scriptdiff.h"
#include "engine/scriptresult.h"
#include "script/bytesink.h"
#include "script/folder.h"
#include "script/message.h"
#include "script/scriptlocation.h"
#include "script/subtitlefile.h"

namespace nosk::engine {

class FolderInUse;

// One script of a run.
struct ScriptTask {
  std::filesystem::path path;  // as its result shows it
  // The entry of the file list it is, or -1 for a script the list names only by its folder.
  std::int32_t entry = -1;
  // A result known without working on the script (an entry not checked).
  std::optional<ScriptResult> known;
  // Where the script is, when the operation knows it (in a folder it opened); otherwise the run
  // finds it from its path.
  std::optional<script::ScriptLocation> location;
  // The operation's own numbers for it (an undo's: its folder, and its entry in that folder's
  // record).
  std::size_t group = 0;
  std::size_t item = 0;
};

// What the run offers an operation while it plans one script.
struct PlanContext {
  Host& host;
  const RunRequest& request;
  // The folder in use, when the run writes: its backups. Nothing otherwise.
  FolderInUse* folder = nullptr;
};

// A script's new content, as planning left it: written into a preview's check, or into the new
// file.
class NewContent {
 public:
  virtual ~NewContent() = default;
  // Writes the whole new content to `sink`, advancing `phase`, and tells `changes` (when given)
  // every line it changes.
  virtual void Write(script::ByteSink& sink, ChangeObserver* changes, ProgressPhase& phase) = 0;
  // The old lines a diff shows around the changes; nothing for the script as it was read.
  virtual const script::TSubtitleFile* ShownOld() const { return nullptr; }
  // What writing it found that the user must know (times clamped), once it was written.
  virtual script::Message Note() const { return {}; }
};

// One script planned: its result, and its new content when the result is a count of 1 or more.
struct ScriptPlan {
  ScriptResult result;
  std::unique_ptr<NewContent> content;
};

class Operation {
 public:
  virtual ~Operation() = default;

  // Checks and prepares the inputs before any file is opened: why the run cannot start, if it
  // cannot.
  virtual std::optional<RunStop> Check(RunMode mode) = 0;
  // The scripts, in order: by default every entry of the list, those not checked known as not
  // processed. What keeps some from being listed at all goes to `problems`.
  virtual std::vector<ScriptTask> Tasks(const FileList& files,
                                        std::vector<script::Message>& problems);
  // What the record of a writing run says of it in `folder`.
  virtual RunDescription Describe(const script::Folder& folder) const = 0;
  // Plans one script, as the run loaded it.
  virtual ScriptPlan Plan(const ScriptTask& task, script::TSubtitleFile& script,
                          PlanContext& context) = 0;
  // Why a script failed when memory ran out on it.
  virtual script::MessageId OutOfMemory() const { return script::MessageId::OutOfMemoryForScript; }
  // What the run as a whole has to say once it went through its list, besides failures.
  virtual std::vector<script::Message> Notes() const { return {}; }
};

}  // namespace nosk::engine
