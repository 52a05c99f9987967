// Put the event lines of every script in a stable order: by time, by style or by actor. Every
// line keeps its bytes; only the order changes.
#include <memory>

#include "engine/internal/eventselection.h"
#include "engine/internal/rundescription.h"
#include "engine/operations/eventedit.h"
#include "engine/operations/operation.h"

namespace nosk::engine {
namespace {

using script::Message;
using script::MessageId;

class SortOperation : public Operation {
 public:
  explicit SortOperation(const SortRequest& request) : request_(request) {}

  std::optional<RunStop> Check(RunMode) override { return std::nullopt; }

  RunDescription Describe(const script::Folder&) const override {
    RunDescription description;
    description.summary = Message(MessageId::SortSummary, {SortOrderName(request_.order)});
    AddViewDetails(description.details, {request_.filter, SortOrder::None});
    return description;
  }

  ScriptPlan Plan(const ScriptTask&, script::TSubtitleFile& loaded, PlanContext& context) override {
    EventScript prepared;
    if (std::optional<Message> why =
            PrepareEventScript(context.host, loaded, {request_.filter, request_.order}, blocks_, {},
                               false, false, prepared)) {
      return {ScriptResult::Failure(std::move(*why)), nullptr};
    }
    ScriptPlan plan;
    plan.result = ScriptResult::Counted(0, prepared.note);
    // The count is the event lines that change place; a script in order is not rewritten.
    if (prepared.sorted) {
      plan.result.code = prepared.moved;
      plan.content = SortedContent(loaded, std::move(prepared.sorted), nullptr);
    }
    return plan;
  }

  std::vector<Message> Notes() const override { return ViewNotes({request_.filter, {}}); }

 private:
  const SortRequest request_;
  TypedBlocks blocks_;
};

}  // namespace

std::unique_ptr<Operation> MakeOperation(const SortRequest& request) {
  return std::make_unique<SortOperation>(request);
}

}  // namespace nosk::engine
