// Find a block of event lines in every script; count it, or put the Replace block in its place.
#include <memory>

#include "engine/internal/rundescription.h"
#include "engine/operations/eventedit.h"
#include "engine/operations/operation.h"
#include "engine/operations/sectionedit.h"
#include "script/eventline.h"
#include "script/timecodes.h"

namespace nosk::engine {
namespace {

using script::Message;
using script::MessageId;

// The lines the timing-shift mode puts in (the Replace block moved to where each occurrence
// starts) that end after the event line following the occurrence starts.
std::int32_t OverlappingNewLines(const script::TSubtitleFile& script, const RangeList& ranges,
                                 const Block& replace) {
  std::int32_t overlapping = 0;
  for (const EventRange& range : ranges) {
    const std::int32_t next = range.last + 1;
    if (next >= script.EventCount()) continue;
    const auto timeOf = [](std::string_view line, std::int32_t field,
                           const script::EventFormat& in) {
      return script::TimeValue(script::FieldOf(line, field, in));
    };
    const script::EventFormat& format = script.EventFormatOf(range.first);
    const script::EventFormat& nextFormat = script.EventFormatOf(next);
    const std::int32_t nextStart = timeOf(script.GetEventLine(next), nextFormat.start, nextFormat);
    const std::int32_t offset = timeOf(script.GetEventLine(range.first), format.start, format);
    for (const std::string& item : replace) {
      if (!item.empty() && offset + timeOf(item, format.end, format) > nextStart) {
        ++overlapping;
      }
    }
  }
  return overlapping;
}

class ReplaceOperation : public Operation {
 public:
  explicit ReplaceOperation(const ReplaceRequest& request) : request_(request) {}

  std::optional<RunStop> Check(RunMode mode) override {
    if (request_.section != Section::Events) {
      return CheckSectionBlocks(request_, mode, sectionBlocks_);
    }
    if (request_.addMissing) {
      return RunStop{RunStop::Kind::InvalidInput, Message(MessageId::AddMissingSection), {}, {}};
    }
    blocks_.searchKind = SearchBlockKind(request_.matching);
    blocks_.replaceKind = ReplaceBlockKind(request_.replacement);
    if (script::Outcome read = ReadSearchBlock(request_.searchLines, blocks_.search); !read) {
      return RunStop{RunStop::Kind::InvalidInput, read.message(), {}, {}};
    }
    if (mode == RunMode::Count) return std::nullopt;
    if (script::Outcome read = ReadReplaceBlock(request_.replaceLines, blocks_.replace); !read) {
      return RunStop{RunStop::Kind::InvalidInput, read.message(), {}, {}};
    }
    // The modes that keep the found lines' times give each new line the times of the line it
    // replaces: a block of another length would move times without a word.
    if ((request_.replacement == Replacement::TextOnly ||
         request_.replacement == Replacement::TextAndFormat) &&
        blocks_.replace.lines.size() != blocks_.search.lines.size()) {
      return RunStop{RunStop::Kind::InvalidInput, Message(MessageId::ReplaceDataError),
                     Message(MessageId::ReplaceDataErrorTitle),
                     Message(MessageId::UnequalBlocks,
                             {blocks_.replace.lines.size(), blocks_.search.lines.size()})};
    }
    return std::nullopt;
  }

  RunDescription Describe(const script::Folder&) const override {
    RunDescription description;
    description.summary = Message(MessageId::ReplaceSummary, {ReplacementName(request_.replacement),
                                                              MatchingName(request_.matching)});
    AddSearchDetails(description.details, request_.matching, request_.searchLines);
    AddBlockDetails(description.details, "replace block", request_.replaceLines);
    AddViewDetails(description.details, View());
    if (request_.section != Section::Events) {
      description.details.push_back("section: " + script::English(SectionName(request_.section)));
    }
    if (request_.addMissing)
      description.details.push_back(
          script::English(script::Message(script::MessageId::AddMissingChosen)));
    return description;
  }

  ScriptPlan Plan(const ScriptTask&, script::TSubtitleFile& loaded, PlanContext& context) override {
    if (request_.section != Section::Events) {
      return PlanSectionEdit(request_, sectionBlocks_, loaded, context.request.mode);
    }
    const bool replaces = context.request.mode != RunMode::Count;
    EventScript prepared;
    if (std::optional<Message> why = PrepareEventScript(
            context.host, loaded, View(), blocks_, request_.codePage, true, replaces, prepared)) {
      return {ScriptResult::Failure(std::move(*why)), nullptr};
    }
    const script::TSubtitleFile& script = *prepared.script;
    const EncodedBlocks& blocks = *prepared.blocks;
    ScriptPlan plan;
    plan.result.reason = prepared.note;
    RangeList ranges;
    FindBlock(context.host, script, blocks, request_.matching, context.request.explainMisses,
              ranges, plan.result);
    plan.result.code = ranges.Count();
    if (request_.replacement == Replacement::TimingShift &&
        context.request.mode != RunMode::Count) {
      plan.result.overlappingLines = OverlappingNewLines(script, ranges, blocks.replace);
      if (plan.result.overlappingLines > 0) {
        plan.result.reason =
            script::Joined(std::move(plan.result.reason),
                           Message(MessageId::NewLinesOverlap, {plan.result.overlappingLines}));
      }
    }
    if (!ranges.Empty()) {
      plan.content = std::make_unique<RewrittenEvents>(
          script, std::move(ranges),
          std::make_unique<ReplacementRewrite>(blocks.replace, request_.replacement));
      if (prepared.sorted) {
        plan.content = SortedContent(loaded, std::move(prepared.sorted), std::move(plan.content));
      }
    }
    return plan;
  }

  std::vector<Message> Notes() const override { return ViewNotes(View()); }

 private:
  EventView View() const { return {request_.filter, request_.sort}; }

  const ReplaceRequest request_;
  TypedBlocks blocks_;
  SectionBlocks sectionBlocks_;  // for a block looked for outside the event lines
};

}  // namespace

std::unique_ptr<Operation> MakeOperation(const ReplaceRequest& request) {
  return std::make_unique<ReplaceOperation>(request);
}

}  // namespace nosk::engine
