// What the edits of event lines (replacing a block, shifting times) share: the typed blocks in
// each script's bytes, the event index of a loaded script, and the new content of a script whose
// event lines in some ranges are rewritten.
#pragma once

#include <array>
#include <memory>
#include <optional>

#include "engine/host.h"
#include "engine/internal/rangelist.h"
#include "engine/internal/rewriter.h"
#include "engine/internal/searchblock.h"
#include "engine/nearmiss.h"
#include "engine/operations/operation.h"
#include "script/encoding.h"
#include "script/message.h"
#include "script/subtitlefile.h"

namespace nosk::engine {

// The blocks of a run in the bytes of one script encoding.
struct EncodedBlocks {
  Block search;
  Block replace;
  bool searchCanMatch = true;  // false when an item holds a character the encoding lacks
};

// The blocks of a run, read and checked once, and in the bytes of each script encoding met.
class TypedBlocks {
 public:
  Block search;
  Block replace;

  const EncodedBlocks& For(script::ScriptEncoding encoding);

 private:
  std::array<std::optional<EncodedBlocks>, 5> byEncoding_;
};

// Fills the event index of a loaded script. Why it cannot be edited when it has no event line.
std::optional<script::Message> IndexEventLines(Host& host, script::TSubtitleFile& script,
                                               script::ScriptEncoding encoding);

// Appends the occurrences of the search block to `ranges`; a block with a character the
// script's encoding lacks cannot occur, though the search phase still runs. Where it came
// closest, for a script it is not in, when the run was asked.
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
