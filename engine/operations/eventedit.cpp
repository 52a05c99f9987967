#include "engine/operations/eventedit.h"

#include <map>

#include "engine/internal/eventindex.h"
#include "engine/internal/eventselection.h"
#include "script/scriptio.h"

namespace nosk::engine {
namespace {

using script::Message;
using script::MessageId;
using script::ScriptEncoding;

// Fills the event index of a loaded script; why it cannot be edited when it has no event line.
std::optional<Message> IndexEventLines(Host& host, script::TSubtitleFile& script) {
  IndexEvents(host, script);
  if (script.EventCount() > 0) return std::nullopt;
  switch (script::DetectEncodingOfBytes(script.GetLines(0, 1))) {
    case ScriptEncoding::Utf16BigEndian:
    case ScriptEncoding::Utf16LittleEndian:
      return Message(MessageId::Utf16Script);
    case ScriptEncoding::Utf32BigEndian:
      return Message(MessageId::Utf32Script);
    default:
      break;
  }
  // One line holding CRs: an old Mac file, whose lines end in CR alone.
  if (script.LineCount() == 1 && script.GetLine(0).find('\r') != std::string_view::npos) {
    return Message(MessageId::NoEventLinesCrAlone);
  }
  return Message(MessageId::NoEventLines);
}

// Writes the sorted copy, or the edit of it, and tells the changes against the loaded script:
// each line whose bytes at its number differ from the loaded line's.
class SortedScriptContent : public NewContent {
 public:
  SortedScriptContent(const script::TSubtitleFile& loaded,
                      std::unique_ptr<script::TSubtitleFile> sorted,
                      std::unique_ptr<NewContent> edit)
      : loaded_(loaded), sorted_(std::move(sorted)), edit_(std::move(edit)) {}

  void Write(script::ByteSink& sink, ChangeObserver* changes, ProgressPhase& phase) override {
    EditedLines edited;
    if (edit_) {
      edit_->Write(sink, &edited, phase);
    } else {
      script::WriteScriptLine(sink, sorted_->GetLines(0, sorted_->LineCount()));
    }
    if (changes == nullptr) return;
    for (std::int32_t i = 0; i < sorted_->LineCount(); ++i) {
      const auto found = edited.lines.find(i);
      const std::string_view now =
          found != edited.lines.end() ? std::string_view(found->second) : sorted_->GetLine(i);
      if (now != loaded_.GetLine(i)) changes->Changed(i, loaded_.GetLine(i), now);
    }
  }
  script::Message Note() const override { return edit_ ? edit_->Note() : script::Message(); }

 private:
  // What the edit wrote in place of lines of the sorted copy.
  struct EditedLines : ChangeObserver {
    std::map<std::int32_t, std::string> lines;
    void Changed(std::int32_t line, std::string_view, std::string_view newText) override {
      lines[line] = std::string(newText);
    }
  };

  const script::TSubtitleFile& loaded_;
  std::unique_ptr<script::TSubtitleFile> sorted_;
  std::unique_ptr<NewContent> edit_;
};

// The script's events without those the filter leaves out: whether any were left.
bool ApplyFilter(const EventFilter& filter, script::TSubtitleFile& script, Message& note) {
  if (LeaveOutEvents(filter, script) == 0 || script.EventCount() > 0) return true;
  note = Message(MessageId::EveryEventLeftOut, {FilterName(filter)});
  return false;
}

}  // namespace

// The block's items in the script's bytes; the first failure, if an item cannot be.
script::Message EncodeBlock(const Block& typed, const ScriptCharset& charset, Block& encoded) {
  encoded.clear();
  for (const std::string& item : typed) {
    std::string bytes;
    if (script::Outcome in = EncodeTyped(item, charset, bytes); !in) return in.message();
    encoded.push_back(std::move(bytes));
  }
  return {};
}

const EncodedBlocks& TypedBlocks::For(const ScriptCharset& charset,
                                      const script::EventFormat& format) {
  const auto [found, isNew] = prepared_.try_emplace({charset.codePage, format.names});
  if (isNew) {
    found->second.searchError =
        EncodeBlock(PreparedFor(search, searchKind, format), charset, found->second.search);
    found->second.replaceError =
        EncodeBlock(PreparedFor(replace, replaceKind, format), charset, found->second.replace);
  }
  return found->second;
}

std::optional<Message> PrepareEventScript(Host& host, script::TSubtitleFile& script,
                                          const EventView& view, TypedBlocks& blocks,
                                          const std::string& codePage, bool searches, bool replaces,
                                          EventScript& prepared) {
  prepared = {};
  prepared.script = &script;
  // The characters matter only where typed text meets the script's bytes.
  if (searches || replaces) {
    if (script::Outcome resolved =
            ResolveCharset(script.GetLines(0, script.LineCount()), codePage, prepared.charset);
        !resolved) {
      return resolved.message();
    }
  }
  if (std::optional<Message> none = IndexEventLines(host, script)) return none;
  // The blocks in the fields of the script's events (of its first event, where a script has
  // several Format lines).
  prepared.blocks = &blocks.For(prepared.charset, script.EventFormatOf(0));
  if (searches && !prepared.blocks->searchError.empty()) return prepared.blocks->searchError;
  if (replaces && !prepared.blocks->replaceError.empty()) return prepared.blocks->replaceError;
  // A guessed code page is told, so that a wrong guess can be seen and corrected.
  if (prepared.charset.guessed) {
    prepared.note = Message(MessageId::GuessedCodePage, {prepared.charset.label});
  }
  Message leftOut;
  if (!ApplyFilter(view.filter, script, leftOut)) {
    prepared.note = script::Joined(std::move(prepared.note), std::move(leftOut));
    return std::nullopt;
  }
  prepared.sorted = SortedEvents(script, view.sort, prepared.moved);
  if (prepared.sorted) {
    IndexEvents(host, *prepared.sorted);
    ApplyFilter(view.filter, *prepared.sorted, leftOut);
    prepared.script = prepared.sorted.get();
  }
  return std::nullopt;
}

std::unique_ptr<NewContent> SortedContent(const script::TSubtitleFile& loaded,
                                          std::unique_ptr<script::TSubtitleFile> sorted,
                                          std::unique_ptr<NewContent> edit) {
  return std::make_unique<SortedScriptContent>(loaded, std::move(sorted), std::move(edit));
}

void EditedLines::Write(script::ByteSink& sink, ChangeObserver* changes, ProgressPhase& phase) {
  const std::int32_t lineCount = script_.LineCount();
  std::int32_t next = 0;
  for (const auto& [line, text] : edits_) {
    script::WriteScriptLine(sink, script_.GetLines(next, line));
    script::WriteScriptLine(sink, text);
    if (changes != nullptr) changes->Changed(line, script_.GetLine(line), text);
    next = line + 1;
    phase.Advance(next, lineCount);
  }
  script::WriteScriptLine(sink, script_.GetLines(next, lineCount));
}

void AddViewDetails(std::vector<std::string>& details, const EventView& view) {
  if (view.filter.LeavesOutAny()) {
    details.push_back("exclusions: " + script::English(FilterName(view.filter)));
  }
  if (view.sort != SortOrder::None) {
    details.push_back("sorted first: " + script::English(SortOrderName(view.sort)));
  }
}

std::vector<Message> ViewNotes(const EventView& view) {
  if (!view.filter.LeavesOutAny()) return {};
  return {Message(MessageId::ExclusionsInForce, {FilterName(view.filter)})};
}

void FindBlock(Host& host, const script::TSubtitleFile& script, const EncodedBlocks& blocks,
               Matching matching, bool explainMisses, RangeList& ranges, ScriptResult& result) {
  const Block& search = blocks.search;
  FindOccurrences(host, script, search, matching, ranges);
  if (ranges.Empty() && explainMisses && !search.empty()) {
    result.nearMiss = FindNearMiss(script, search, matching);
  }
}

}  // namespace nosk::engine
