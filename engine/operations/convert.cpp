// Write every script in UTF-8 with one kind of line end, changing nothing else.
#include <memory>

#include "engine/codepages.h"
#include "engine/internal/formatconversion.h"
#include "engine/internal/rundescription.h"
#include "engine/operations/operation.h"

namespace nosk::engine {
namespace {

using script::Message;
using script::MessageId;

// The new bytes of a conversion, and the old text decoded for the lines a diff shows around the
// changes.
class ConvertedContent : public NewContent {
 public:
  ConvertedContent(const script::TSubtitleFile& script, Conversion conversion)
      : script_(script), conversion_(std::move(conversion)) {
    shownOld_.AddText(ShownOldText(conversion_));
  }
  void Write(script::ByteSink& sink, ChangeObserver* changes, ProgressPhase&) override {
    if (changes != nullptr) {
      TellConvertedLines(script_.GetLines(0, script_.LineCount()), conversion_, *changes);
    }
    sink.Write(conversion_.content);
  }
  const script::TSubtitleFile* ShownOld() const override { return &shownOld_; }

 private:
  const script::TSubtitleFile& script_;
  const Conversion conversion_;
  script::TSubtitleFile shownOld_;
};

class ConvertOperation : public Operation {
 public:
  explicit ConvertOperation(const ConvertRequest& request) : request_(request) {}

  std::optional<RunStop> Check(RunMode) override {
    if (!request_.sourceEncoding.empty() && CodePageName(request_.sourceEncoding).empty()) {
      return RunStop{RunStop::Kind::InvalidInput,
                     Message(MessageId::UnknownCodePage, {request_.sourceEncoding}),
                     {},
                     {}};
    }
    return std::nullopt;
  }

  RunDescription Describe(const script::Folder&) const override {
    const Message target = request_.target == TargetEncoding::Utf8WithMark
                               ? Message(MessageId::WithMark, {"UTF-8"})
                               : Message::Verbatim("UTF-8");
    const Message source = request_.sourceEncoding.empty()
                               ? Message(MessageId::DetectedCodePage)
                               : Message::Verbatim(CodePageLabel(request_.sourceEncoding));
    return {
        Message(MessageId::ConversionSummary, {target, LineEndsName(request_.lineEnds), source}),
        {},
        {}};
  }

  ScriptPlan Plan(const ScriptTask&, script::TSubtitleFile& script, PlanContext&) override {
    Conversion conversion;
    const std::string_view bytes = script.GetLines(0, script.LineCount());
    if (const script::Outcome converted = ConvertScript(bytes, request_, conversion); !converted) {
      return {ScriptResult::Failure(converted.message()), nullptr};
    }
    // Already in the form asked for: not rewritten, no backup.
    if (conversion.content == bytes) return {ScriptResult::Counted(0), nullptr};
    // A guessed code page is told, so that a wrong guess can be seen and corrected.
    ScriptPlan plan;
    plan.result = ScriptResult::Counted(
        1, conversion.detected ? Message(MessageId::GuessedCodePage, {conversion.encoding})
                               : Message());
    plan.content = std::make_unique<ConvertedContent>(script, std::move(conversion));
    return plan;
  }

 private:
  const ConvertRequest request_;
};

}  // namespace

std::unique_ptr<Operation> MakeOperation(const ConvertRequest& request) {
  return std::make_unique<ConvertOperation>(request);
}

}  // namespace nosk::engine
