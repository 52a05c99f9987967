#include "engine/operations/eventedit.h"

#include "engine/internal/eventindex.h"

namespace nosk::engine {
namespace {

using script::Message;
using script::MessageId;
using script::ScriptEncoding;

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

}  // namespace

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
                                          TypedBlocks& blocks, const std::string& codePage,
                                          bool searches, bool replaces, EventScript& prepared) {
  prepared = {};
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
  return std::nullopt;
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
