// What the edits of event lines (replacing a block, shifting times) share: the typed blocks in
// each script's bytes, the event index of a loaded script, and the new content of a script whose
// event lines in some ranges are rewritten.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "engine/host.h"
#include "engine/internal/charset.h"
#include "engine/internal/rangelist.h"
#include "engine/internal/rewriter.h"
#include "engine/internal/searchblock.h"
#include "engine/nearmiss.h"
#include "engine/operations/operation.h"
#include "script/encoding.h"
#include "script/message.h"
#include "script/subtitlefile.h"

namespace nosk::engine {

// The blocks of a run in the bytes of one script's characters, or why they cannot be.
struct EncodedBlocks {
  Block search;
  Block replace;
  script::Message searchError;   // the code page has no code for some of the block's characters
  script::Message replaceError;  // the same for the Replace block
};

// The block's items (UTF-8) in the bytes of a script's characters; the first failure, if an
// item cannot be.
script::Message EncodeBlock(const Block& typed, const ScriptCharset& charset, Block& encoded);

// The blocks of a run, read and checked once, and in the bytes and the format of each kind of
// script met.
class TypedBlocks {
 public:
  TypedBlock search;
  TypedBlock replace;
  BlockKind searchKind = BlockKind::WholeLine;
  BlockKind replaceKind = BlockKind::AsTyped;

  const EncodedBlocks& For(const ScriptCharset& charset, const script::EventFormat& format);

 private:
  // By code page ("" for UTF-8) and the names of the format's fields.
  std::map<std::pair<std::string, std::vector<std::string>>, EncodedBlocks> prepared_;
};

// Which event lines of each script an edit sees, and the order it puts them in first.
struct EventView {
  EventFilter filter;
  SortOrder sort = SortOrder::None;
};

// A loaded script made ready for its event lines to be edited: its characters (found only when
// the run has blocks to put in its bytes), its event index without the lines the run leaves
// out, and the run's blocks in its bytes.
struct EventScript {
  ScriptCharset charset;
  const EncodedBlocks* blocks = nullptr;
  // What the user must know besides the count: the code page guessed, if it was; that the
  // exclusions left out every event line.
  script::Message note;
  // The script the edit works on: the one loaded, or a copy with its event lines sorted, whose
  // lines are numbered as the loaded one's.
  script::TSubtitleFile* script = nullptr;
  std::unique_ptr<script::TSubtitleFile> sorted;
  std::int32_t moved = 0;  // the event lines sorting put in another place
};

// Why the script's event lines cannot be edited, if they cannot: its characters could not be
// told (`codePage`, iconv's name, or empty to guess it), it has no event line, or the blocks the
// run needs (`searches`, `replaces`) hold characters its code page has none for.
std::optional<script::Message> PrepareEventScript(Host& host, script::TSubtitleFile& script,
                                                  const EventView& view, TypedBlocks& blocks,
                                                  const std::string& codePage, bool searches,
                                                  bool replaces, EventScript& prepared);

// The new content of a script whose event lines were sorted before the edit: the edit's content
// of the sorted copy, or the sorted copy itself when the edit has none. Its changes are told
// against the script as it was loaded.
std::unique_ptr<NewContent> SortedContent(const script::TSubtitleFile& loaded,
                                          std::unique_ptr<script::TSubtitleFile> sorted,
                                          std::unique_ptr<NewContent> edit);

// The new content of a script some of whose lines are replaced by other text (none, one line
// or several, each with its line end); the other lines as they were.
class EditedLines : public NewContent {
 public:
  EditedLines(const script::TSubtitleFile& script, std::map<std::int32_t, std::string> edits)
      : script_(script), edits_(std::move(edits)) {}
  void Write(script::ByteSink& sink, ChangeObserver* changes, ProgressPhase& phase) override;

 private:
  const script::TSubtitleFile& script_;
  std::map<std::int32_t, std::string> edits_;  // by line number
};

// The details a run's record gives of the lines its edit sees.
void AddViewDetails(std::vector<std::string>& details, const EventView& view);
// What the run says of its view once it went through its list: the exclusions in force.
std::vector<script::Message> ViewNotes(const EventView& view);

// Appends the occurrences of the search block to `ranges`. Where it came closest, for a script
// it is not in, when the run was asked.
void FindBlock(Host& host, const script::TSubtitleFile& script, const EncodedBlocks& blocks,
               Matching matching, bool explainMisses, RangeList& ranges, ScriptResult& result);

// The new content of a script whose event lines in `ranges` are rewritten.
class RewrittenEvents : public NewContent {
 public:
  RewrittenEvents(const script::TSubtitleFile& script, RangeList ranges,
                  std::unique_ptr<EventLineRewrite> rewrite)
      : script_(script), ranges_(std::move(ranges)), rewrite_(std::move(rewrite)) {}
  void Write(script::ByteSink& sink, ChangeObserver* changes, ProgressPhase& phase) override {
    WriteNewContent(sink, script_, ranges_, *rewrite_, phase, changes);
  }
  script::Message Note() const override { return rewrite_->Note(); }

 private:
  const script::TSubtitleFile& script_;
  RangeList ranges_;
  std::unique_ptr<EventLineRewrite> rewrite_;
};

}  // namespace nosk::engine
