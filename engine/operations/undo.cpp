// Take back the most recent run recorded in each folder: a script gets its backup's content
// again, when both are still the very files that run left.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <memory>
#include <set>

#include "engine/history.h"
#include "engine/internal/folderinuse.h"
#include "engine/internal/journaltext.h"
#include "engine/internal/runjournal.h"
#include "engine/operations/operation.h"
#include "script/backupfolder.h"
#include "script/scriptio.h"

namespace nosk::engine {
namespace {

using script::Message;
using script::MessageId;

// The runs `user` recorded in `folder`; none when it has no Nosk_backup.
script::Outcome OwnRuns(const script::Folder& folder, unsigned user, JournalReading& reading) {
  reading = {};
  struct stat entry {};
  if (folder.StatEntry(script::kBackupFolderName, entry) == ENOENT)
    return script::Outcome::Success();
  script::BackupFolder backups;
  if (script::Outcome opened = script::BackupFolder::Open(folder, backups, false); !opened) {
    return opened;
  }
  return ReadOwnRuns(backups.Get(), user, reading);
}

// The runs of `records` (oldest first), newest first.
std::vector<JournalRecord> RunsNewestFirst(const std::vector<JournalRecord>& records) {
  std::vector<JournalRecord> runs = RunsOf(records);
  std::reverse(runs.begin(), runs.end());
  return runs;
}

// What `run` replaced in `folder`. A run stopped partway is taken back as far as it went: its
// scripts whose exchange went through (their name holds the new file it recorded). Nothing for
// one stopped before it replaced anything there; such a run may still have linked a script's
// inode into Nosk_backup, which changes its change time and nothing else: `linked` gets those.
std::optional<JournalRecord> Replaced(const script::Folder& folder, JournalRecord run,
                                      std::vector<script::FileIdentity>* linked) {
  if (!run.interrupted) return run;
  std::vector<script::FileIdentity> kept;
  std::erase_if(run.scripts, [&](const JournalEntry& entry) {
    struct stat status {};
    const bool replaced =
        entry.done || (folder.StatEntry(entry.script, status) == 0 &&
                       script::FileIdentity::Of(status).SameFile(entry.replacing));
    if (!replaced) kept.push_back(entry.keeping);
    return !replaced;
  });
  if (linked != nullptr) linked->insert(linked->end(), kept.begin(), kept.end());
  if (!run.scripts.empty()) return run;
  return std::nullopt;
}

bool IsUndo(const JournalRecord& run) { return !run.undoes.empty() && !run.redo; }

// The run an undo takes back in `folder`. Stepping back: the newest run not taken back yet (an
// undo takes back the run it names, so the next undo goes one further back; a redo is a run
// like any other). A redo: the newest undo not put back yet, unless a run came after it. Named:
// that run, its scripts as the later undos and redos left them.
std::optional<JournalRecord> ChosenRun(const script::Folder& folder,
                                       const std::vector<JournalRecord>& records,
                                       const UndoRequest& request,
                                       std::vector<script::FileIdentity>* linked = nullptr) {
  const std::vector<JournalRecord> runs = RunsNewestFirst(records);
  std::set<std::string> takenBack;
  // A run Z that took back a run W (an undo, or a redo) rewrote W's scripts with W's backups, as
  // new files: a run before W is found in them by content (W's backup is the very file that run
  // left), and its scripts must now be the files Z wrote.
  std::map<std::string, const JournalRecord*> takerOf;  // W's id: Z
  struct Now {
    script::FileIdentity written;  // what Z wrote
    script::FileIdentity holds;    // the backup it restored, as W recorded it
  };
  std::map<std::string, Now> now;  // by script
  // An undo stopped partway took back some scripts of its run: the next undo takes back the
  // others, and leaves those alone.
  std::map<std::string, std::set<std::string>> restored;
  const auto asTheyAreNow = [&](JournalRecord& run) {
    for (JournalEntry& entry : run.scripts) {
      const auto found = now.find(entry.script);
      if (found == now.end()) continue;
      if (!found->second.holds.SameContent(entry.done ? entry.after : entry.replacing)) continue;
      entry.after = found->second.written;
      entry.done = true;
    }
  };
  for (std::size_t r = 0; r < runs.size(); ++r) {
    JournalRecord run = runs[r];
    const bool named = request.which == UndoRequest::Which::Named;
    if (named && run.id == request.run) {
      asTheyAreNow(run);
      return Replaced(folder, std::move(run), linked);
    }
    if (takenBack.contains(run.id)) {
      if (const auto taker = takerOf.find(run.id); taker != takerOf.end()) {
        for (const JournalEntry& written : taker->second->scripts) {
          for (const JournalEntry& entry : run.scripts) {
            if (entry.script != written.script || !written.done) continue;
            now[entry.script] = {written.after, entry.done ? entry.before : entry.keeping};
          }
        }
      }
      continue;
    }
    const bool undo = IsUndo(run);
    const bool redoing = request.which == UndoRequest::Which::Redo;
    // What this run took back is taken back, for what came before it; a redo's, for a redo.
    if (!run.undoes.empty() && !run.interrupted && (undo || redoing || named)) {
      takenBack.insert(run.undoes);
      takerOf[run.undoes] = &runs[r];
    }
    // The runs after the one named only tell what its scripts are now.
    if (named) continue;
    if (redoing) {
      if (run.redo) continue;
      if (!undo) return std::nullopt;  // a run came after the last undo
      if (run.interrupted) continue;
      asTheyAreNow(run);
      if (std::optional<JournalRecord> found = Replaced(folder, std::move(run), linked)) {
        return found;
      }
      continue;
    }
    if (undo) {
      if (run.interrupted) {
        if (std::optional<JournalRecord> undone = Replaced(folder, run, linked)) {
          for (const JournalEntry& entry : undone->scripts) {
            restored[run.undoes].insert(entry.script);
          }
        }
      }
      continue;
    }
    asTheyAreNow(run);
    if (const auto partly = restored.find(run.id); partly != restored.end()) {
      std::erase_if(run.scripts, [&](const JournalEntry& entry) {
        return partly->second.contains(entry.script);
      });
      if (run.scripts.empty()) continue;
    }
    if (std::optional<JournalRecord> replaced = Replaced(folder, std::move(run), linked)) {
      return replaced;
    }
  }
  return std::nullopt;
}

// "the run of 2026-12-10 04:35:12 UTC (Shift Times ...)", for reasons.
Message RunName(const JournalRecord& record) {
  return Message(MessageId::TheRunOf, {record.time, record.summary});
}

// The backup's bytes, which the script gets again.
class RestoredContent : public NewContent {
 public:
  explicit RestoredContent(script::TSubtitleFile backup) : backup_(std::move(backup)) {}
  void Write(script::ByteSink& sink, ChangeObserver*, ProgressPhase&) override {
    sink.Write(backup_.GetLines(0, backup_.LineCount()));
  }

 private:
  script::TSubtitleFile backup_;
};

class UndoOperation : public Operation {
 public:
  explicit UndoOperation(const UndoRequest& request)
      : request_(request), user_(request.user.value_or(static_cast<unsigned>(::geteuid()))) {}

  std::optional<RunStop> Check(RunMode) override { return std::nullopt; }

  std::vector<ScriptTask> Tasks(const FileList& files, std::vector<Message>& problems) override;

  RunDescription Describe(const script::Folder& folder) const override {
    RunDescription description;
    for (const FolderUndo& undo : folders_) {
      if (undo.folder.Path() != folder.Path()) continue;
      description.summary =
          Message(IsUndo(undo.last) ? MessageId::RedoSummary : MessageId::UndoSummary,
                  {undo.last.id, undo.last.time});
      description.undoes = undo.last.id;
      // Taking back an undo puts back what it took: a redo.
      description.redo = IsUndo(undo.last);
    }
    return description;
  }

  ScriptPlan Plan(const ScriptTask& task, script::TSubtitleFile& script,
                  PlanContext& context) override;

  MessageId OutOfMemory() const override { return MessageId::OutOfMemoryForRestore; }

  // Folders whose last runs are not one run each had their own last run taken back: said, so
  // that an undo of a season is not mistaken for the undo of one run.
  std::vector<Message> Notes() const override {
    std::string runs;
    bool different = false;
    for (const FolderUndo& undo : folders_) {
      different = different || undo.last.id != folders_.front().last.id;
      runs +=
          (runs.empty() ? "" : ", ") + script::PathText(undo.folder.Path()) + ": " + undo.last.id;
    }
    if (!different) return {};
    return {Message(MessageId::DifferentLastRuns, {runs})};
  }

 private:
  // A folder whose last recorded run is taken back.
  struct FolderUndo {
    script::Folder folder;
    JournalRecord last;
    // Read again once the run holds the folder's lock: the record must still be the last one.
    bool confirmed = false;
    std::optional<Message> changedMeanwhile;
    // Scripts that a later run, stopped before it replaced them, linked into Nosk_backup: their
    // change time moved, and only that.
    std::vector<script::FileIdentity> linked;
    script::BackupFolder backupsToRead;  // a preview's, opened at its first script
  };

  std::vector<FolderUndo> folders_;
  UndoRequest request_;
  unsigned user_;  // whose runs: everything is checked as for that user
};

std::vector<ScriptTask> UndoOperation::Tasks(const FileList& files,
                                             std::vector<Message>& problems) {
  std::vector<ScriptTask> tasks;
  // The folders in the order first named, each with the scripts named in it (none: all) and
  // the entries that named them.
  struct Named {
    bool whole = false;
    std::vector<std::pair<std::string, std::int32_t>> scripts;  // name, entry
  };
  std::vector<std::filesystem::path> order;
  std::map<std::filesystem::path, Named> named;
  for (std::int32_t i = 0; i < files.Count(); ++i) {
    if (!files.GetChecked(i)) {
      ScriptTask task;
      task.path = files.GetPath(i);
      task.entry = i;
      task.known = ScriptResult();
      tasks.push_back(std::move(task));
      continue;
    }
    const UndoTarget target = UndoTargetOf(files.GetPath(i));
    if (!named.contains(target.folder)) order.push_back(target.folder);
    Named& in = named[target.folder];
    if (target.script.empty()) {
      in.whole = true;
    } else if (std::none_of(in.scripts.begin(), in.scripts.end(),
                            [&](const auto& script) { return script.first == target.script; })) {
      in.scripts.emplace_back(target.script, i);
    }
  }
  for (const std::filesystem::path& path : order) {
    const Named& in = named[path];
    const auto entryOf = [&](const std::string& name) {
      for (const auto& [script, entry] : in.scripts) {
        if (script == name) return entry;
      }
      return std::int32_t{-1};
    };
    const auto failEveryNamed = [&](const Message& why) {
      if (in.whole || in.scripts.empty()) {
        problems.push_back(Message(MessageId::WithReason, {path}).Because(why));
      }
      for (const auto& [name, entry] : in.scripts) {
        ScriptTask task;
        task.path = path / name;
        task.entry = entry;
        task.known = ScriptResult::Failure(why);
        tasks.push_back(std::move(task));
      }
    };
    FolderUndo undo;
    if (script::Outcome opened = script::Folder::Open(path, undo.folder); !opened) {
      failEveryNamed(opened.message());
      continue;
    }
    JournalReading reading;
    if (script::Outcome read = OwnRuns(undo.folder, user_, reading); !read) {
      failEveryNamed(read.message());
      continue;
    }
    for (Message& problem : reading.problems) problems.push_back(std::move(problem));
    std::optional<JournalRecord> last =
        ChosenRun(undo.folder, reading.records, request_, &undo.linked);
    if (!last) {
      using Which = UndoRequest::Which;
      failEveryNamed(reading.records.empty()         ? Message(MessageId::NoRunRecorded)
                     : request_.which == Which::Redo ? Message(MessageId::NothingToRedo)
                     : request_.which == Which::Named
                         ? Message(MessageId::RunNotRecorded, {request_.run})
                         : Message(MessageId::NothingLeftToUndo));
      continue;
    }
    undo.last = std::move(*last);
    const std::size_t folder = folders_.size();
    for (std::size_t e = 0; e < undo.last.scripts.size(); ++e) {
      const std::string& name = undo.last.scripts[e].script;
      const std::int32_t entry = entryOf(name);
      if (!in.whole && entry < 0) continue;
      ScriptTask task;
      task.path = path / name;
      task.entry = entry;
      script::ScriptLocation location;
      location.listed = undo.folder.PathOf(name);
      location.folder = undo.folder;
      location.name = name;
      task.location = std::move(location);
      task.group = folder;
      task.item = e;
      tasks.push_back(std::move(task));
    }
    if (!in.whole) {
      for (const auto& script : in.scripts) {
        const bool inRun = std::any_of(
            undo.last.scripts.begin(), undo.last.scripts.end(),
            [&](const JournalEntry& changed) { return changed.script == script.first; });
        if (inRun) continue;
        ScriptTask task;
        task.path = path / script.first;
        task.entry = script.second;
        task.known =
            ScriptResult::Counted(0, Message(MessageId::NotChangedByRun, {RunName(undo.last)}));
        tasks.push_back(std::move(task));
      }
    }
    folders_.push_back(std::move(undo));
  }
  return tasks;
}

ScriptPlan UndoOperation::Plan(const ScriptTask& task, script::TSubtitleFile& script,
                               PlanContext& context) {
  const auto failed = [](Message why) {
    return ScriptPlan{ScriptResult::Failure(std::move(why)), nullptr};
  };
  FolderUndo& undo = folders_[task.group];
  const JournalRecord& record = undo.last;
  const JournalEntry& entry = record.scripts[task.item];
  // A write reaches the backups through the folder it holds; a preview opens them itself, once
  // for the folder, creating nothing.
  script::BackupFolder* backups = nullptr;
  if (context.folder != nullptr) {
    if (script::Outcome opened = context.folder->Backups(undo.folder, backups, false); !opened) {
      return failed(opened.message());
    }
  } else {
    if (!undo.backupsToRead.Get().IsOpen()) {
      if (script::Outcome opened =
              script::BackupFolder::Open(undo.folder, undo.backupsToRead, false);
          !opened) {
        return failed(opened.message());
      }
    }
    backups = &undo.backupsToRead;
  }
  if (!undo.confirmed) {
    undo.confirmed = true;
    JournalReading reading;
    if (script::Outcome read = ReadOwnRuns(backups->Get(), user_, reading); !read) {
      undo.changedMeanwhile = read.message();
    } else if (std::optional<JournalRecord> last =
                   ChosenRun(undo.folder, reading.records, request_);
               !last || last->id != record.id) {
      undo.changedMeanwhile = Message(MessageId::RecordedMeanwhile);
    }
  }
  if (undo.changedMeanwhile) return failed(*undo.changedMeanwhile);
  // A script whose run was stopped between its journal entry and the exchange was never
  // replaced; one stopped just after it has only the states recorded before the exchange.
  const script::FileIdentity& now = script.SourceIdentity();
  if (!entry.done && !now.SameFile(entry.replacing)) {
    return {ScriptResult::Counted(0, Message(MessageId::NotChangedByRun, {RunName(record)})),
            nullptr};
  }
  const bool onlyLinked =
      std::any_of(undo.linked.begin(), undo.linked.end(),
                  [&](const script::FileIdentity& linked) { return linked.SameContent(now); });
  const bool same = !entry.done  ? now.SameContent(entry.replacing)
                    : onlyLinked ? now.SameContent(entry.after)
                                 : now.SameState(entry.after);
  if (!same) {
    return failed(Message(MessageId::ChangedSinceRun, {RunName(record)}));
  }
  script::ScriptLocation backupLocation;
  backupLocation.listed = backups->Get().PathOf(entry.backup);
  backupLocation.folder = backups->Get();
  backupLocation.name = entry.backup;
  script::FileDescriptor backupFile;
  script::FileIdentity backupIdentity;
  script::TSubtitleFile previous;
  script::Outcome read = script::OpenScript(backupLocation, backupFile, backupIdentity);
  if (read) {
    ProgressPhase phase(context.host);
    phase.Start(MessageId::ReadingPhase);
    read = script::LoadScriptFrom(
        backupFile, backupIdentity, backupLocation.listed, previous,
        [&](std::int64_t done, std::int64_t total) { phase.Advance(done, total); });
  }
  if (!read)
    return failed(Message(MessageId::BackupUnreadable, {entry.backup}).Because(read.message()));
  // A backup is the script's own inode, or a copy with its owner or the runner's: one that
  // someone else put there is never restored into the script.
  const unsigned runner = user_;
  const unsigned backupOwner = previous.SourceIdentity().owner;
  if (backupOwner != script.SourceIdentity().owner && backupOwner != runner) {
    return failed(
        Message(MessageId::BackupOfAnother, {entry.backup, script::UserName(backupOwner)}));
  }
  const script::FileIdentity& kept = previous.SourceIdentity();
  // Its one link is Nosk_backup's: a backup linked elsewhere too can be written elsewhere.
  if (kept.links != 1 ||
      (entry.done ? !kept.SameState(entry.before) : !kept.SameContent(entry.keeping))) {
    return failed(Message(MessageId::BackupChangedSince, {entry.backup, RunName(record)}));
  }
  return {ScriptResult::Counted(1), std::make_unique<RestoredContent>(std::move(previous))};
}

}  // namespace

std::unique_ptr<Operation> MakeOperation(const UndoRequest& request) {
  return std::make_unique<UndoOperation>(request);
}

}  // namespace nosk::engine
