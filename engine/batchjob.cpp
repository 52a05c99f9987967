#include "engine/batchjob.h"

#include <csignal>
#include <new>

#include "engine/eventindex.h"
#include "engine/rangelist.h"
#include "engine/rewriter.h"
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
      return "the script is UTF-16 text, which is not supported (save it as UTF-8)";
    case ScriptEncoding::Utf32BigEndian:
      return "the script is UTF-32 text, which is not supported (save it as UTF-8)";
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

bool RunBatch(script::Host& host, FileList& files, BatchSettings& settings,
              const EditorTexts& editors, bool execute, const RunOptions& options) {
  // A write beyond the process's file size limit must be an error of that one script (EFBIG),
  // not a signal that ends the program half-way through a run.
  std::signal(SIGXFSZ, SIG_IGN);
  host.ClearStatusText();
  if (!execute) {
    settings.ReplaceMode = Replacement::None;
    settings.TimesMode = Times::None;
  }
  Block searchBlock;
  Block replaceBlock;
  if (!CheckFileList(host, files)) return false;
  switch (settings.WorkMode) {
    case Page::ScriptReplace:
      if (!ReadSearchBlock(host, editors.SearchLines, settings.SearchMode, searchBlock)) {
        return false;
      }
      if (execute) {
        if (!ReadReplaceBlock(host, editors.ReplaceLines, settings.ReplaceMode, replaceBlock)) {
          return false;
        }
        // Only the timing-shift and full-match modes can insert lines after an occurrence.
        if (settings.ReplaceMode < Replacement::TimingShift &&
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
      if (settings.AffectMode != Affect::AllFilesAllRows &&
          !ReadSearchBlock(host, editors.SearchLines, settings.SearchMode, searchBlock)) {
        return false;
      }
      settings.ShiftAmount = script::TimeValue(editors.ShiftText);
      if (!editors.ShiftForward) settings.ShiftAmount = -settings.ShiftAmount;
      break;
    case Page::FormatConversion:
    case Page::AdvancedSettings:
      break;
  }
  std::optional<script::InterruptCleanup> cleanup;
  if (execute) cleanup.emplace();
  BatchJob job(host, settings, std::move(searchBlock), std::move(replaceBlock), execute, options);
  job.ProcessFileList(files);
  if (const script::Outcome finished = job.Finish(); !finished) {
    host.ShowMessage("Error", finished.reason());
  }
  return true;
}

BatchJob::BatchJob(script::Host& host, const BatchSettings& settings, Block searchBlock,
                   Block replaceBlock, bool execute, const RunOptions& options)
    : host_(host),
      settings_(settings),
      searchBlock_(std::move(searchBlock)),
      replaceBlock_(std::move(replaceBlock)),
      execute_(execute),
      options_(options) {}

script::Outcome BatchJob::Finish() {
  folderInUse_.Leave();
  return written_.FlushAll();
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
        result = {kFailed, "not enough memory to work on this script; it was not changed", true};
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

ScriptResult BatchJob::ProcessScript(const std::filesystem::path& path) {
  const auto failed = [](const script::Outcome& outcome) {
    return ScriptResult{kFailed, outcome.reason(), outcome.serious()};
  };
  script::ScriptLocation location;
  if (const script::Outcome located = script::LocateScript(path, location, lastFolder_); !located) {
    return failed(located);
  }
  // The lock comes before the script is read: what a rewrite starts from is then what no other
  // run is changing.
  if (execute_) {
    if (const script::Outcome entered =
            folderInUse_.Enter(location.folder, host_, options_.folderLockWait);
        !entered) {
      return failed(entered);
    }
  }
  script::FileDescriptor file;
  script::FileIdentity identity;
  if (const script::Outcome opened = script::OpenScript(location, file, identity); !opened) {
    return failed(opened);
  }
  const auto [first, isNew] = seen_.try_emplace({identity.device, identity.inode}, path);
  if (!isNew) {
    return {kFailed, "the same file as " + script::PathText(first->second) +
                         ", which this run works on already"};
  }
  script::TSubtitleFile script;
  if (const script::Outcome loaded = script::LoadScriptFrom(host_, file, identity, path, script);
      !loaded) {
    return failed(loaded);
  }
  // The mark at the start of the bytes just read: the same answer as reading the file's first
  // bytes once more, without opening it again.
  const ScriptEncoding encoding = script::DetectEncodingOfBytes(script.GetLines(0, 1));
  IndexEvents(host_, script);
  if (script.EventCount() == 0) return {kFailed, NoEventLinesReason(script, encoding)};

  const EncodedBlocks& blocks = BlocksFor(encoding);
  const std::int32_t lineCount = script.LineCount();
  RangeList ranges;
  const auto findOccurrences = [&] {
    // An item holding a character the script's encoding lacks matches no line, so the block
    // cannot occur; the search phase still runs.
    static const Block kNeverFound;
    FindOccurrences(host_, script, blocks.searchCanMatch ? blocks.search : kNeverFound,
                    settings_.SearchMode, ranges);
  };
  if (settings_.WorkMode == Page::ScriptReplace) {
    findOccurrences();
  } else if (settings_.WorkMode == Page::TimingShift) {
    if (settings_.AffectMode == Affect::AllFilesAllRows) {
      ranges.Append(0, lineCount - 1);
    } else {
      findOccurrences();
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
  ScriptResult result{ranges.Count(), {}};
  // A script in which nothing was found is not rewritten and gets no backup.
  if (execute_ && result.code >= 1) {
    script::FileIdentity newFile;
    const script::Outcome rewritten =
        RewriteScript(host_, location, file, script, ranges, blocks.replace, settings_,
                      folderInUse_, written_, newFile, result.reason, result.announce);
    if (!rewritten) return failed(rewritten);
    // Its name now leads to the new file: reached again under another name, it is the same one.
    seen_.try_emplace({newFile.device, newFile.inode}, path);
  }
  return result;
}

}  // namespace nosk::engine
