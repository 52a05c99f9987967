#include "engine/operations/eventedit.h"

#include "engine/internal/eventindex.h"

namespace nosk::engine {
namespace {

using script::Message;
using script::MessageId;
using script::ScriptEncoding;

void EncodeBlock(const Block& typed, ScriptEncoding encoding, Block& encoded, bool* complete) {
  encoded.clear();
  for (const std::string& item : typed) {
    script::EncodedText text = script::EncodeTypedText(item, encoding);
    if (complete != nullptr && !text.complete) *complete = false;
    encoded.push_back(std::move(text.bytes));
  }
}

}  // namespace

const EncodedBlocks& TypedBlocks::For(ScriptEncoding encoding) {
  std::optional<EncodedBlocks>& slot = byEncoding_.at(static_cast<std::size_t>(encoding));
  if (!slot) {
    slot.emplace();
    EncodeBlock(search, encoding, slot->search, &slot->searchCanMatch);
    EncodeBlock(replace, encoding, slot->replace, nullptr);
  }
  return *slot;
}

std::optional<Message> IndexEventLines(Host& host, script::TSubtitleFile& script,
                                       ScriptEncoding encoding) {
  IndexEvents(host, script);
  if (script.EventCount() > 0) return std::nullopt;
  switch (encoding) {
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

void FindBlock(Host& host, const script::TSubtitleFile& script, const EncodedBlocks& blocks,
               Matching matching, bool explainMisses, RangeList& ranges, ScriptResult& result) {
  static const Block kNeverFound;
  const Block& search = blocks.searchCanMatch ? blocks.search : kNeverFound;
  FindOccurrences(host, script, search, matching, ranges);
  if (ranges.Empty() && explainMisses && !search.empty()) {
    result.nearMiss = FindNearMiss(script, search, matching);
  }
}

}  // namespace nosk::engine
