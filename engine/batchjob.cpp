#include "engine/batchjob.h"

#include <csignal>
#include <new>
#include <utility>

#include "engine/eventindex.h"
#include "engine/nearmiss.h"
#include "engine/rangelist.h"
#include "engine/rewriter.h"
#include "engine/rundescription.h"
#include "engine/scriptdiff.h"
#include "engine/scriptreplacement.h"
#include "script/progressphase.h"
#include "script/scriptio.h"
#include "script/scriptlocation.h"
#include "script/subtitlefile.h"
#include "script/temporaryfile.h"
#include "script/timecodes.h"

namespace nosk::engine {
namespace {

using script::ScriptEncoding;

std::string NoEventLinesReason(const script::TSubtitleFile& script, ScriptEncoding encoding) {
  switch (encoding) {
    case ScriptEncoding::Utf16BigEndian:
    case ScriptEncoding::Utf16LittleEndian:
      return "the script is UTF-16 text: convert it to UTF-8 first (Format Conversion, or nosk-cli convert)";
    case ScriptEncoding::Utf32BigEndian:
      return "the script is UTF-32 text: convert it to UTF-8 first (Format Conversion, or nosk-cli convert)";
    default:
      break;
  }
  // One line holding CRs: an old Mac file, whose lines end in CR alone.
  if (script.LineCount() == 1 && script.GetLine(0).find('\r') != std::string_view::npos) {
    return "no event lines in an [Events] section (the lines end in CR alone, which is not a "
           "line end here; save the script with LF or CR LF line ends)";
  }
  return "no event lines in an [Events] section";
}

void EncodeBlock(const Block& typed, ScriptEncoding encoding, Block& encoded, bool* complete) {
  encoded.clear();
  for (const std::string& item : typed) {
    script::EncodedText text = script::EncodeTypedText(item, encoding);
    if (complete != nullptr && !text.complete) *complete = false;
    encoded.push_back(std::move(text.bytes));
  }
}

}  // namespace

bool CheckFileList(script::Host& host, const FileList& files) {
  if (files.Count() > 0) return true;
  host.SetStatusText("No files.");
  return false;
}

bool RunBatch(script::Host& host, FileList& files, const BatchSettings& settings,
              const EditorTexts& editors, RunMode mode, const RunOptions& options) {
  // A write beyond the process's file size limit must be an error of that one script (EFBIG),
  // not a signal that ends the program half-way through a run.
  std::signal(SIGXFSZ, SIG_IGN);
  host.ClearStatusText();
  BatchSettings run = settings;
  if (mode == RunMode::Count) {
    run.ReplaceMode = Replacement::None;
    run.TimesMode = Times::None;
  }
  const bool replaces = mode != RunMode::Count;
  Block searchBlock;
  Block replaceBlock;
  if (!CheckFileList(host, files)) return false;
  switch (run.WorkMode) {
    case Page::ScriptReplace:
      if (!ReadSearchBlock(host, editors.SearchLines, run.SearchMode, searchBlock)) {
        return false;
      }
      if (replaces) {
        if (!ReadReplaceBlock(host, editors.ReplaceLines, run.ReplaceMode, replaceBlock)) {
          return false;
        }
        // Only the timing-shift and full-match modes can insert lines after an occurrence.
        if (run.ReplaceMode < Replacement::TimingShift &&
            replaceBlock.size() > searchBlock.size()) {
          host.SetStatusText("Replace data error.");
          host.ShowMessage("Replace Data Error",
                           "There is more replace strings than search strings.\n"
                           "Can't do such replacement in current mode.");
          return false;
        }
      }
      break;
    case Page::TimingShift:
      // A shift of every event line of every script does not look for the block: it is neither
      // read nor checked (the window disables its editor then).
      if (run.AffectMode != Affect::AllFilesAllRows &&
          !ReadSearchBlock(host, editors.SearchLines, run.SearchMode, searchBlock)) {
        return false;
      }
      run.ShiftAmount = script::TimeValue(editors.ShiftText);
      if (!editors.ShiftForward) run.ShiftAmount = -run.ShiftAmount;
      break;
    case Page::FormatConversion:
      if (!run.SourceEncoding.empty() && CodePageName(run.SourceEncoding).empty()) {
        host.SetStatusText("Unknown code page " + run.SourceEncoding + ".");
        return false;
      }
      break;
    case Page::AdvancedSettings:
      break;
  }
  std::optional<script::InterruptCleanup> cleanup;
  JournalRecord journal;
  if (mode == RunMode::Write) {
    cleanup.emplace();
    journal.id = NewRunId();
    journal.time = TimeNow();
    journal.summary = RunSummary(run);
    journal.details = RunDetails(run, editors.SearchLines, editors.ReplaceLines);
  }
  BatchJob job(host, run, std::move(searchBlock), std::move(replaceBlock), mode, options,
               std::move(journal));
  job.ProcessFileList(files);
  if (const script::Outcome finished = job.Finish(); !finished) {
    host.ShowMessage("Error", finished.reason());
  }
  return true;
}

BatchJob::BatchJob(script::Host& host, const BatchSettings& settings, Block searchBlock,
                   Block replaceBlock, RunMode mode, const RunOptions& options,
                   JournalRecord journal)
    : host_(host),
      settings_(settings),
      searchBlock_(std::move(searchBlock)),
      replaceBlock_(std::move(replaceBlock)),
      mode_(mode),
      options_(options),
      folderInUse_(std::move(journal)) {}

script::Outcome BatchJob::Finish() {
  folderInUse_.Leave();
  std::string problems;
  for (const std::string& failure : folderInUse_.JournalFailures()) {
    problems += (problems.empty() ? "" : "\n") + failure;
  }
  if (script::Outcome flushed = written_.FlushAll(); !flushed) {
    problems += (problems.empty() ? "" : "\n") + flushed.reason();
  }
  return problems.empty() ? script::Outcome::Success() : script::Outcome::Failure(problems);
}

void BatchJob::ProcessFileList(FileList& files) {
  for (std::int32_t i = 0; i < files.Count(); ++i) {
    ScriptResult result;
    if (files.GetChecked(i)) {
      // A script too large for the memory left fails alone: what it allocated is freed as the
      // exception unwinds, and the next script may well fit.
      try {
        result = ProcessScript(files.GetPath(i));
      } catch (const std::bad_alloc&) {
        result = ScriptResult::Failure(
            "not enough memory to work on this script; it was not changed", true);
      }
    }
    files.StoreResult(i, result);
  }
}

const EncodedBlocks& BatchJob::BlocksFor(ScriptEncoding encoding) {
  std::optional<EncodedBlocks>& slot = blocksByEncoding_.at(static_cast<std::size_t>(encoding));
  if (!slot) {
    slot.emplace();
    EncodeBlock(searchBlock_, encoding, slot->search, &slot->searchCanMatch);
    EncodeBlock(replaceBlock_, encoding, slot->replace, nullptr);
  }
  return *slot;
}

// The changes of a new content, as the run was asked for them: counted, or also kept as a diff.
class BatchJob::ChangeTracker : public ChangeObserver {
 public:
  explicit ChangeTracker(bool keep) : keep_(keep) {}
  void Changed(std::int32_t line, std::string_view oldLine, std::string_view newText) override {
    if (keep_) {
      collector_.Changed(line, oldLine, newText);
    } else {
      counter_.Changed(line, oldLine, newText);
    }
  }
  void Into(const Plan& plan, ScriptResult& result) const {
    if (keep_) {
      result.changedLines = static_cast<std::int32_t>(collector_.ChangedLines());
      if (plan.conversion) {
        // A conversion's context lines are the old text decoded, as its changed lines are.
        script::TSubtitleFile shown;
        shown.AddText(ShownOldText(*plan.conversion));
        result.changes = collector_.Hunks(shown);
      } else {
        result.changes = collector_.Hunks(plan.script);
      }
    } else {
      result.changedLines = counter_.ChangedLines();
    }
  }

 private:
  bool keep_;
  ChangeCollector collector_;
  ChangeCounter counter_;
};

ScriptResult BatchJob::ProcessScript(const std::filesystem::path& path) {
  Plan plan;
  plan.path = path;
  ScriptResult result = PlanScript(plan);
  // A script in which nothing was found is not rewritten and gets no backup.
  if (result.code < 1) return result;
  if (mode_ == RunMode::Preview) PreviewScript(plan, result);
  if (mode_ == RunMode::Write) ApplyScript(plan, result);
  return result;
}

ScriptResult BatchJob::PlanScript(Plan& plan) {
  const auto failed = [](const script::Outcome& outcome) {
    return ScriptResult::Failure(outcome.reason(), outcome.serious());
  };
  if (const script::Outcome located = script::LocateScript(plan.path, plan.location, lastFolder_);
      !located) {
    return failed(located);
  }
  // The lock comes before the script is read: what a rewrite starts from is then what no other
  // run is changing.
  if (mode_ == RunMode::Write) {
    if (const script::Outcome entered =
            folderInUse_.Enter(plan.location.folder, host_, options_.folderLockWait);
        !entered) {
      return failed(entered);
    }
  }
  script::FileIdentity identity;
  if (const script::Outcome opened = script::OpenScript(plan.location, plan.file, identity);
      !opened) {
    return failed(opened);
  }
  const auto [first, isNew] = seen_.try_emplace({identity.device, identity.inode}, plan.path);
  if (!isNew) {
    return ScriptResult::Failure("the same file as " + script::PathText(first->second) +
                                 ", which this run works on already");
  }
  const PreviewedScript* previewed = nullptr;
  if (options_.previewed != nullptr) {
    const auto found = options_.previewed->find(plan.path);
    if (found == options_.previewed->end()) {
      return ScriptResult::Counted(0, "not in the preview, so not written");
    }
    previewed = &found->second;
    if (!identity.SameVersion(previewed->identity)) {
      return ScriptResult::Failure(
          "changed on disk since the preview, so it was not written; preview it again");
    }
    if (!previewed->newContent.known) return ScriptResult::Counted(0);
  }
  if (const script::Outcome loaded =
          script::LoadScriptFrom(host_, plan.file, identity, plan.path, plan.script);
      !loaded) {
    return failed(loaded);
  }
  if (settings_.WorkMode == Page::FormatConversion) return PlanConversion(plan, identity);
  // The mark at the start of the bytes just read: the same answer as reading the file's first
  // bytes once more, without opening it again.
  const ScriptEncoding encoding = script::DetectEncodingOfBytes(plan.script.GetLines(0, 1));
  IndexEvents(host_, plan.script);
  if (plan.script.EventCount() == 0) {
    return ScriptResult::Failure(NoEventLinesReason(plan.script, encoding));
  }

  plan.blocks = &BlocksFor(encoding);
  const std::int32_t lineCount = plan.script.LineCount();
  RangeList& ranges = plan.ranges;
  // An item holding a character the script's encoding lacks matches no line, so the block
  // cannot occur; the search phase still runs.
  static const Block kNeverFound;
  const Block& search = plan.blocks->searchCanMatch ? plan.blocks->search : kNeverFound;
  if (settings_.WorkMode == Page::ScriptReplace) {
    FindOccurrences(host_, plan.script, search, settings_.SearchMode, ranges);
  } else if (settings_.WorkMode == Page::TimingShift) {
    if (settings_.AffectMode == Affect::AllFilesAllRows) {
      ranges.Append(0, lineCount - 1);
    } else {
      FindOccurrences(host_, plan.script, search, settings_.SearchMode, ranges);
      if (!ranges.Empty()) {
        const std::int32_t first = ranges[0].first;
        const std::int32_t last = ranges[0].last;
        ranges.Clear();
        switch (settings_.AffectMode) {
          case Affect::AllRows:
            ranges.Append(0, lineCount - 1);
            break;
          case Affect::RowsBefore:
            ranges.Append(0, first - 1);
            break;
          case Affect::RowsBeforeAndBlock:
            ranges.Append(0, last);
            break;
          case Affect::RowsAfterAndBlock:
            ranges.Append(first, lineCount - 1);
            break;
          case Affect::RowsAfter:
            ranges.Append(last + 1, lineCount - 1);
            break;
          case Affect::AllFilesAllRows:
            break;
        }
      }
    }
  }
  ScriptResult result = ScriptResult::Counted(ranges.Count());
  result.identity = identity;
  if (result.code == 0 && options_.explainMisses && !search.empty()) {
    result.nearMiss = FindNearMiss(plan.script, search, settings_.SearchMode);
  }
  return result;
}

ScriptResult BatchJob::PlanConversion(Plan& plan, const script::FileIdentity& identity) {
  Conversion conversion;
  const std::string_view bytes = plan.script.GetLines(0, plan.script.LineCount());
  if (const script::Outcome converted = ConvertScript(bytes, settings_, conversion); !converted) {
    return ScriptResult::Failure(converted.reason());
  }
  // Already in the form asked for: not rewritten, no backup.
  if (conversion.content == bytes) return ScriptResult::Counted(0);
  // A guessed code page is told, so that a wrong guess can be seen and corrected.
  ScriptResult result = ScriptResult::Counted(
      1, conversion.detected ? "read as " + conversion.source + " (guessed from its bytes)" : "");
  result.identity = identity;
  plan.conversion = std::move(conversion);
  return result;
}

void BatchJob::WriteContent(const Plan& plan, script::ByteSink& sink,
                            ChangeObserver* changes) const {
  script::ProgressPhase phase(host_);
  phase.Start(mode_ == RunMode::Write ? "Writing data. Please, wait..."
                                      : "Preparing the preview. Please, wait...");
  if (plan.conversion) {
    const std::string_view bytes = plan.script.GetLines(0, plan.script.LineCount());
    if (changes != nullptr) TellConvertedLines(bytes, *plan.conversion, *changes);
    sink.Write(plan.conversion->content);
    return;
  }
  WriteNewContent(sink, plan.script, plan.ranges, plan.blocks->replace, settings_, phase, changes);
}

void BatchJob::PreviewScript(const Plan& plan, ScriptResult& result) {
  HashingSink sink(nullptr);
  ChangeTracker tracker(options_.collectChanges);
  WriteContent(plan, sink, &tracker);
  tracker.Into(plan, result);
  result.newContent = sink.Finish();
}

void BatchJob::ApplyScript(const Plan& plan, ScriptResult& result) {
  const auto failed = [&](const script::Outcome& outcome) {
    result = ScriptResult::Failure(outcome.reason(), outcome.serious());
  };
  ScriptReplacement replacement(plan.location, plan.file, plan.script.SourceIdentity(),
                                folderInUse_);
  if (script::Outcome begun = replacement.Begin(); !begun) return failed(begun);
  ChangeTracker tracker(options_.collectChanges);
  if (options_.previewed == nullptr) {
    WriteContent(plan, replacement.Output(), &tracker);
  } else {
    // Applying a preview: what is written must be what was shown.
    HashingSink sink(&replacement.Output());
    WriteContent(plan, sink, &tracker);
    result.newContent = sink.Finish();
    if (result.newContent != options_.previewed->at(plan.path).newContent) {
      return failed(script::Outcome::Failure(
          "its new content is not the one previewed, so it was not written; preview it again"));
    }
  }
  // What planning had to say (a guessed code page) stays beside what the commit has to say.
  const std::string planned = std::exchange(result.reason, {});
  if (script::Outcome committed = replacement.Commit(written_, result.reason, result.announce);
      !committed) {
    return failed(committed);
  }
  if (!planned.empty()) {
    result.reason = result.reason.empty() ? planned : planned + "; " + result.reason;
  }
  tracker.Into(plan, result);
  result.backup = replacement.BackupPath();
  folderInUse_.Record({plan.location.name, replacement.BackupName(),
                       FileState::Of(replacement.BackupState()),
                       FileState::Of(replacement.Written())});
  // Its name now leads to the new file: reached again under another name, it is the same one.
  const script::FileIdentity& written = replacement.Written();
  seen_.try_emplace({written.device, written.inode}, plan.path);
}

}  // namespace nosk::engine
