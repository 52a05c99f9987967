#include "engine/run.h"

#include <unistd.h>

#include <map>
#include <new>
#include <utility>
#include <variant>

#include "engine/contenthash.h"
#include "engine/internal/folderinuse.h"
#include "engine/internal/progressphase.h"
#include "engine/internal/runjournal.h"
#include "engine/internal/scriptreplacement.h"
#include "engine/internal/writtenfilesystems.h"
#include "engine/operations/operation.h"
#include "script/filedescriptor.h"
#include "script/folder.h"
#include "script/scriptio.h"
#include "script/scriptlocation.h"

namespace nosk::engine {
namespace {

using script::Message;
using script::MessageId;

ScriptResult Failed(const script::Outcome& outcome) {
  return ScriptResult::Failure(outcome.message(), outcome.serious());
}

// The changes of a new content, as the run was asked for them: counted, or also kept as a diff.
class ChangeTracker : public ChangeObserver {
 public:
  explicit ChangeTracker(bool keep) : keep_(keep) {}
  void Changed(std::int32_t line, std::string_view oldLine, std::string_view newText) override {
    if (keep_) {
      collector_.Changed(line, oldLine, newText);
    } else {
      counter_.Changed(line, oldLine, newText);
    }
  }
  void Into(const script::TSubtitleFile& shownOld, ScriptResult& result) const {
    if (keep_) {
      result.changedLines = static_cast<std::int32_t>(collector_.ChangedLines());
      result.changes = collector_.Hunks(shownOld);
    } else {
      result.changedLines = counter_.ChangedLines();
    }
  }

 private:
  bool keep_;
  ChangeCollector collector_;
  ChangeCounter counter_;
};

// One script between its planning and its preview or write: open, loaded, planned.
struct OpenScript {
  script::ScriptLocation location;
  script::FileDescriptor file;
  script::TSubtitleFile script;
  std::unique_ptr<NewContent> content;

  const script::TSubtitleFile& ShownOld() const {
    const script::TSubtitleFile* shown = content->ShownOld();
    return shown != nullptr ? *shown : script;
  }
};

// The state of one run over its scripts.
class Driver {
 public:
  Driver(const RunRequest& request, Operation& operation, Host& host)
      : request_(request),
        operation_(operation),
        host_(host),
        folderInUse_(JournalOfTheRun(),
                     [this](const script::Folder& folder, JournalRecord& record) {
                       RunDescription description = operation_.Describe(folder);
                       record.summary = std::move(description.summary);
                       record.details = std::move(description.details);
                       record.undoes = std::move(description.undoes);
                       record.redo = description.redo;
                     }) {}

  ScriptResult Process(const ScriptTask& task);
  // Lets the last folder go, writing its journal record, and flushes the file systems written
  // to; what went wrong, if anything.
  void Finish(std::vector<Message>& problems);

 private:
  // The run's record, which each folder it writes in gets with its own scripts and description.
  JournalRecord JournalOfTheRun() const;
  ScriptResult Plan(const ScriptTask& task, OpenScript& open);
  // The new content, hashed and (when asked) as changes, written nowhere.
  void Preview(OpenScript& open, ScriptResult& result);
  // The new content written through the rewrite protocol, and noted for the journal.
  void Apply(const ScriptTask& task, OpenScript& open, ScriptResult& result);
  // Writes the new content into `sink`, telling `changes` each changed line.
  void WriteContent(OpenScript& open, script::ByteSink& sink, ChangeObserver* changes);

  const RunRequest& request_;
  Operation& operation_;
  Host& host_;
  script::Folder lastFolder_;  // of the script located before
  FolderInUse folderInUse_;
  WrittenFileSystems written_;
  // The files this run has worked on, by device and inode: one reached under a second name (a
  // link, a hard link, another spelling of its folder) is not worked on twice.
  std::map<std::pair<unsigned long long, unsigned long long>, std::filesystem::path> seen_;
};

JournalRecord Driver::JournalOfTheRun() const {
  JournalRecord journal;
  // Recorded in its runner's journal; root's undo of another user's run, in that user's.
  journal.user = static_cast<unsigned>(::geteuid());
  if (const auto* undo = std::get_if<UndoRequest>(&request_.operation); undo && undo->user) {
    journal.user = *undo->user;
  }
  if (request_.mode == RunMode::Write) {
    journal.id = NewRunId();
    journal.time = TimeNow();
  }
  return journal;
}

void Driver::Finish(std::vector<Message>& problems) {
  folderInUse_.Leave();
  for (const Message& failure : folderInUse_.JournalFailures()) problems.push_back(failure);
  if (script::Outcome flushed = written_.FlushAll(); !flushed) {
    problems.push_back(flushed.message());
  }
}

ScriptResult Driver::Process(const ScriptTask& task) {
  OpenScript open;
  ScriptResult result = Plan(task, open);
  // A script in which nothing was found is not rewritten and gets no backup.
  if (result.code < 1) return result;
  if (request_.mode == RunMode::Preview) Preview(open, result);
  if (request_.mode == RunMode::Write) Apply(task, open, result);
  return result;
}

ScriptResult Driver::Plan(const ScriptTask& task, OpenScript& open) {
  // Applying a preview: a script it listed as Error keeps that result, as a plain run would have
  // given it, and is not touched.
  if (request_.previewed != nullptr) {
    const auto found = request_.previewed->find(task.path);
    if (found != request_.previewed->end() && found->second.failure) {
      return ScriptResult::Failure(*found->second.failure);
    }
  }
  if (task.location) {
    open.location = *task.location;
  } else if (const script::Outcome located =
                 script::LocateScript(task.path, open.location, lastFolder_);
             !located) {
    return Failed(located);
  }
  // The lock comes before the script is read: what a rewrite starts from is then what no other
  // run is changing.
  if (request_.mode == RunMode::Write) {
    if (const script::Outcome entered = folderInUse_.Enter(
            open.location.folder, open.location.listed, host_, request_.folderLockWait);
        !entered) {
      return Failed(entered);
    }
  }
  script::FileIdentity identity;
  if (const script::Outcome opened = script::OpenScript(open.location, open.file, identity);
      !opened) {
    return Failed(opened);
  }
  const auto [first, isNew] = seen_.try_emplace({identity.device, identity.inode}, task.path);
  if (!isNew) return ScriptResult::Failure(Message(MessageId::SameFileAs, {first->second}));
  const PreviewedScript* previewed = nullptr;
  if (request_.previewed != nullptr) {
    const auto found = request_.previewed->find(task.path);
    if (found == request_.previewed->end()) {
      return ScriptResult::Counted(0, Message(MessageId::NotInPreview));
    }
    previewed = &found->second;
    if (!identity.SameVersion(previewed->identity)) {
      return ScriptResult::Failure(Message(MessageId::ChangedSincePreview));
    }
    if (!previewed->newContent.known) return ScriptResult::Counted(0);
  }
  {
    ProgressPhase phase(host_);
    phase.Start(MessageId::ReadingPhase);
    if (const script::Outcome loaded = script::LoadScriptFrom(
            open.file, identity, task.path, open.script,
            [&](std::int64_t done, std::int64_t total) { phase.Advance(done, total); });
        !loaded) {
      return Failed(loaded);
    }
  }
  PlanContext context{host_, request_, request_.mode == RunMode::Write ? &folderInUse_ : nullptr};
  ScriptPlan plan = operation_.Plan(task, open.script, context);
  if (plan.result.code != kFailed) plan.result.identity = identity;
  open.content = std::move(plan.content);
  return std::move(plan.result);
}

void Driver::WriteContent(OpenScript& open, script::ByteSink& sink, ChangeObserver* changes) {
  ProgressPhase phase(host_);
  phase.Start(request_.mode == RunMode::Write ? MessageId::WritingPhase
                                              : MessageId::PreviewingPhase);
  open.content->Write(sink, changes, phase);
}

void Driver::Preview(OpenScript& open, ScriptResult& result) {
  HashingSink sink(nullptr);
  ChangeTracker tracker(request_.collectChanges);
  WriteContent(open, sink, &tracker);
  tracker.Into(open.ShownOld(), result);
  result.newContent = sink.Finish();
  result.reason = script::Joined(std::move(result.reason), open.content->Note());
}

void Driver::Apply(const ScriptTask& task, OpenScript& open, ScriptResult& result) {
  const auto failed = [&](const script::Outcome& outcome) { result = Failed(outcome); };
  ScriptReplacement replacement(open.location, open.file, open.script.SourceIdentity(),
                                folderInUse_);
  if (script::Outcome begun = replacement.Begin(); !begun) return failed(begun);
  ChangeTracker tracker(request_.collectChanges);
  if (request_.previewed == nullptr) {
    WriteContent(open, replacement.Output(), &tracker);
  } else {
    // Applying a preview: what is written must be what was shown.
    HashingSink sink(&replacement.Output());
    WriteContent(open, sink, &tracker);
    result.newContent = sink.Finish();
    if (result.newContent != request_.previewed->at(task.path).newContent) {
      return failed(script::Outcome::Failure(Message(MessageId::NotAsPreviewed)));
    }
  }
  // What planning and writing had to say (a guessed code page, clamped times) stays beside what
  // the commit has to say.
  const Message planned = script::Joined(std::exchange(result.reason, {}), open.content->Note());
  if (script::Outcome committed = replacement.Commit(written_, result.reason, result.announce);
      !committed) {
    return failed(committed);
  }
  result.reason = script::Joined(planned, std::move(result.reason));
  tracker.Into(open.ShownOld(), result);
  result.backup = replacement.BackupPath();
  folderInUse_.Record({open.location.name, replacement.BackupName(), replacement.BackupState(),
                       replacement.Written()});
  // Its name now leads to the new file: reached again under another name, it is the same one.
  const script::FileIdentity& written = replacement.Written();
  seen_.try_emplace({written.device, written.inode}, task.path);
}

}  // namespace

std::vector<ScriptTask> Operation::Tasks(const FileList& files, std::vector<Message>&) {
  std::vector<ScriptTask> tasks;
  for (std::int32_t i = 0; i < files.Count(); ++i) {
    ScriptTask task;
    task.path = files.GetPath(i);
    task.entry = i;
    task.location = files.GetLocation(i);
    if (!files.GetChecked(i)) task.known = ScriptResult();
    tasks.push_back(std::move(task));
  }
  return tasks;
}

RunOutcome Run(const RunRequest& request, FileList& files, Host& host) {
  const std::unique_ptr<Operation> operation =
      std::visit([](const auto& input) { return MakeOperation(input); }, request.operation);
  RunOutcome outcome;
  if (files.Count() == 0) {
    outcome.stopped = RunStop{RunStop::Kind::NothingToRun, Message(MessageId::NoFiles), {}, {}};
    return outcome;
  }
  if (std::optional<RunStop> stop = operation->Check(request.mode)) {
    outcome.stopped = std::move(stop);
    return outcome;
  }
  Driver driver(request, *operation, host);
  for (const ScriptTask& task : operation->Tasks(files, outcome.problems)) {
    ScriptResult result;
    if (task.known) {
      result = *task.known;
    } else {
      // A script too large for the memory left fails alone: what it allocated is freed as the
      // exception unwinds, and the next script may well fit.
      try {
        result = driver.Process(task);
      } catch (const std::bad_alloc&) {
        result = ScriptResult::Failure(Message(operation->OutOfMemory()), true);
      }
    }
    if (task.entry >= 0) {
      files.StoreResult(task.entry, result);
    } else {
      files.StoreUnlistedResult(task.path, result);
    }
  }
  driver.Finish(outcome.problems);
  outcome.notes = operation->Notes();
  return outcome;
}

}  // namespace nosk::engine
