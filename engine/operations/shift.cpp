// Move the times of event lines: of every line of every script, or of the lines before or after
// the first occurrence of the Search block.
#include <memory>

#include "engine/internal/rundescription.h"
#include "engine/operations/eventedit.h"
#include "engine/operations/operation.h"
#include "script/timecodes.h"

namespace nosk::engine {
namespace {

using script::Message;
using script::MessageId;

class ShiftOperation : public Operation {
 public:
  explicit ShiftOperation(const ShiftRequest& request) : request_(request) {}

  std::optional<RunStop> Check(RunMode) override {
    // A shift of every event line of every script does not look for the block: it is neither
    // read nor checked (the window disables its editor then).
    if (!SearchesTheBlock()) return std::nullopt;
    blocks_.searchKind = SearchBlockKind(request_.matching);
    if (script::Outcome read = ReadSearchBlock(request_.searchLines, blocks_.search); !read) {
      return RunStop{RunStop::Kind::InvalidInput, read.message(), {}, {}};
    }
    return std::nullopt;
  }

  RunDescription Describe(const script::Folder&) const override {
    RunDescription description;
    const bool back = request_.direction == Direction::Backward && request_.centiseconds > 0;
    const std::string amount = (back ? "-" : "+") + script::FormatTime(request_.centiseconds);
    description.summary = Message(MessageId::ShiftSummary,
                                  {amount, AffectName(request_.affect), TimesName(request_.times)});
    if (SearchesTheBlock()) {
      AddSearchDetails(description.details, request_.matching, request_.searchLines);
    }
    AddViewDetails(description.details, View());
    return description;
  }

  ScriptPlan Plan(const ScriptTask&, script::TSubtitleFile& loaded, PlanContext& context) override {
    EventScript prepared;
    if (std::optional<Message> why =
            PrepareEventScript(context.host, loaded, View(), blocks_, request_.codePage,
                               SearchesTheBlock(), false, prepared)) {
      return {ScriptResult::Failure(std::move(*why)), nullptr};
    }
    const script::TSubtitleFile& script = *prepared.script;
    ScriptPlan plan;
    plan.result.reason = prepared.note;
    const std::int32_t lineCount = script.LineCount();
    RangeList ranges;
    if (script.EventCount() == 0) {
      // The exclusions left out every line: nothing moves.
    } else if (!SearchesTheBlock()) {
      ranges.Append(0, lineCount - 1);
    } else {
      FindBlock(context.host, script, *prepared.blocks, request_.matching,
                context.request.explainMisses, ranges, plan.result);
      if (!ranges.Empty()) {
        const EventRange occurrence = ranges[0];
        ranges.Clear();
        ranges.ranges.push_back(Concerned(occurrence, lineCount));
      }
    }
    plan.result.code = ranges.Count();
    if (!ranges.Empty()) {
      const std::int32_t amount = request_.direction == Direction::Backward ? -request_.centiseconds
                                                                            : request_.centiseconds;
      plan.content = std::make_unique<RewrittenEvents>(
          script, std::move(ranges), std::make_unique<ShiftRewrite>(request_.times, amount));
      if (prepared.sorted) {
        plan.content = SortedContent(loaded, std::move(prepared.sorted), std::move(plan.content));
      }
    }
    return plan;
  }

  std::vector<Message> Notes() const override { return ViewNotes(View()); }

 private:
  EventView View() const { return {request_.filter, request_.sort}; }

  bool SearchesTheBlock() const { return request_.affect != Affect::AllFilesAllRows; }

  // The event lines the affect mode names, around the first occurrence of the block; an end at
  // the script's line count minus 1 is past every event line.
  EventRange Concerned(const EventRange& occurrence, std::int32_t lineCount) const {
    switch (request_.affect) {
      case Affect::RowsBefore:
        return {0, occurrence.first - 1};
      case Affect::RowsBeforeAndBlock:
        return {0, occurrence.last};
      case Affect::RowsAfterAndBlock:
        return {occurrence.first, lineCount - 1};
      case Affect::RowsAfter:
        return {occurrence.last + 1, lineCount - 1};
      case Affect::AllRows:
      case Affect::AllFilesAllRows:
        break;
    }
    return {0, lineCount - 1};
  }

  const ShiftRequest request_;
  TypedBlocks blocks_;
};

}  // namespace

std::unique_ptr<Operation> MakeOperation(const ShiftRequest& request) {
  return std::make_unique<ShiftOperation>(request);
}

}  // namespace nosk::engine
