// The Search and Replace blocks typed by the user, and finding the Search block in a script.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/host.h"
#include "engine/internal/rangelist.h"
#include "engine/runrequest.h"
#include "script/outcome.h"
#include "script/subtitlefile.h"

namespace nosk::engine {

// One item per editor line, in editor order. Once prepared, an item is empty (a blank line) or
// the form of a valid event line that the run compares or writes.
using Block = std::vector<std::string>;

// The most lines an editor may hold for a block.
inline constexpr std::size_t kLargestBlock = 32'765;

// What a block's items are prepared into, for the comparison or the writing a mode does.
enum class BlockKind {
  AsTyped,         // the lines as typed (a run that replaces nothing)
  TextField,       // the Text field alone (text-only search and replacement)
  MaskedTimes,     // the line with both times masked (text-and-format search and replacement)
  CanonicalTimes,  // the line with its times in canonical form and a CR LF end (the full match
                   // with offset, which compares the lines without their times, then the times)
  TimesFromZero,   // the block moved so that its first line starts at 0:00:00.00, each line with
                   // canonical times and a CR LF end (the timing-shift replacement)
  WholeLine,       // the line without its line end (full-match search and replacement)
};

// The kind the Search block of a search mode, and the Replace block of a replace mode, are
// prepared as.
BlockKind SearchBlockKind(Matching mode);
BlockKind ReplaceBlockKind(Replacement mode);

// Converts every non-blank item into its form for the kind and drops the trailing blank items.
// Returns the number of items left, or -1 at the first non-blank item that fails the strict
// event-line test (items before it stay converted).
std::int32_t PrepareBlock(Block& block, BlockKind kind);
// The same for items in `format`.
std::int32_t PrepareBlock(Block& block, BlockKind kind, const script::EventFormat& format);
// Converts every non-blank item, already checked, into its form for the kind in `format`.
void PrepareItems(Block& block, BlockKind kind, const script::EventFormat& format);

// A block as the user typed it: its lines, checked, without the trailing blank ones, and the
// fields they have: the standard ten, or those its own "Format:" line names.
struct TypedBlock {
  Block lines;
  script::EventFormat format = script::EventFormat::Standard();
};

// The typed block's lines in a script's format (fields taken by name, a field the typed lines
// lack left empty), prepared as the kind says.
Block PreparedFor(const TypedBlock& block, BlockKind kind, const script::EventFormat& format);

// Fills `block` from the lines of the Search editor. Fails, with the status text of the run it
// stops, when the editor is too long or the block is empty or holds a line that is not a valid
// event line.
// A "Format:" line among them gives the fields of every line of the block.
script::Outcome ReadSearchBlock(const std::vector<std::string>& editorLines, TypedBlock& block);
// As ReadSearchBlock for the Replace editor; an empty Replace block is accepted.
script::Outcome ReadReplaceBlock(const std::vector<std::string>& editorLines, TypedBlock& block);
// The old forms, the block prepared for the standard format as the mode says.
script::Outcome ReadSearchBlock(const std::vector<std::string>& editorLines, Matching mode,
                                Block& block);
script::Outcome ReadReplaceBlock(const std::vector<std::string>& editorLines, Replacement mode,
                                 Block& block);

// The form of an event line that the Search block's items are compared with. A view into
// `line` or into `buffer`, which the caller keeps for the next line.
std::string_view ComparisonKey(std::string_view line, Matching mode, std::string& buffer);
// The same for a line in `format`.
std::string_view ComparisonKey(std::string_view line, Matching mode,
                               const script::EventFormat& format, std::string& buffer);

// Failure links of the block for the forward scan: failure[q] is the length of the longest
// proper prefix of items 0..q that is also a suffix of them.
std::vector<std::int32_t> FailureLinks(const Block& block);

// The keys the items of a block prepared for the full match with offset are compared by: each
// line without its times (a blank item stays blank).
Block OffsetComparisonKeys(const Block& block, const script::EventFormat& format);
// For the block (prepared for the full match with offset) laid over the script's events from
// event `first` on: the first item whose times are not those of the script's line moved by the
// offset of the first item, or -1 when every item's are. The offset goes to `offset` when given.
std::int32_t FirstItemOffTheOffset(const script::TSubtitleFile& script, std::int32_t first,
                                   const Block& block, std::int32_t* offset = nullptr);

// Appends one range per occurrence of the block among the script's event lines: the leftmost
// occurrences, scanned forward, not overlapping. Returns the new range count.
std::int32_t FindOccurrences(Host& host, const script::TSubtitleFile& script, const Block& block,
                             Matching mode, RangeList& ranges);

}  // namespace nosk::engine
