// Find a text (plain, or a pattern) inside the Text field of event lines, outside their override
// blocks; count it, or replace it. Only the bytes of what is replaced change.
#include <map>
#include <memory>

#include "engine/internal/charset.h"
#include "engine/internal/rundescription.h"
#include "engine/internal/textmatcher.h"
#include "engine/operations/eventedit.h"
#include "engine/operations/operation.h"
#include "script/bytescan.h"
#include "script/eventline.h"

namespace nosk::engine {
namespace {

using script::FindBytes;
using script::Message;
using script::MessageId;

// The Text field with every match outside the override blocks (or anywhere, with `insideTags`)
// counted, and replaced into `out` when `replaces`. A "{" with no "}" after it opens no block.
std::int32_t EditText(TextMatcher& matcher, std::string_view text, bool insideTags, bool replaces,
                      std::string& out, Message& why) {
  const auto edit = [&](std::string_view run) -> std::int32_t {
    if (!replaces) return matcher.Count(run);
    return matcher.Replace(run, out, why);
  };
  if (insideTags) return edit(text);
  std::int32_t total = 0;
  std::size_t position = 0;
  while (position < text.size()) {
    std::size_t open = text.find('{', position);
    const std::size_t close = open == std::string_view::npos ? open : text.find('}', open);
    if (close == std::string_view::npos) open = text.size();
    const std::int32_t found = edit(text.substr(position, open - position));
    if (found < 0) return -1;
    total += found;
    if (open == text.size()) break;
    if (replaces) out.append(text.substr(open, close + 1 - open));
    position = close + 1;
  }
  return total;
}

// The event lines (by event number, ascending, each once) that hold a copy of `literal`.
std::vector<std::int32_t> EventsHolding(const script::TSubtitleFile& script,
                                        std::string_view literal) {
  std::vector<std::int32_t> events;
  const std::int32_t eventCount = script.EventCount();
  if (eventCount == 0) return events;
  const std::string_view bytes = script.GetLines(0, script.LineCount());
  std::int32_t next = 0;  // the first event that may still hold one
  for (std::size_t at = FindBytes(bytes, literal, 0); at != std::string_view::npos;
       at = FindBytes(bytes, literal, at + 1)) {
    const char* hit = bytes.data() + at;
    // The last event line starting at or before the hit: the hits come in order, so a walk
    // forward from the last one found passes each event line once.
    if (script.GetEventLine(next).data() > hit) continue;
    std::int32_t low = next;
    while (low + 1 < eventCount && script.GetEventLine(low + 1).data() <= hit) ++low;
    const std::string_view line = script.GetEventLine(low);
    if (hit + literal.size() > line.data() + line.size()) {  // not inside that line
      next = low;
      continue;
    }
    events.push_back(low);
    next = low + 1;
    if (next == eventCount) break;
    at = static_cast<std::size_t>(line.data() + line.size() - bytes.data()) - 1;
  }
  return events;
}

class TextOperation : public Operation {
 public:
  explicit TextOperation(const TextRequest& request) : request_(request) {
    // Comment lines are notes, not dialogue: left out unless asked for.
    view_.filter = request_.filter;
    view_.filter.skipComments = !request_.includeComments;
  }

  std::optional<RunStop> Check(RunMode) override {
    Message why;
    matcher_ = TextMatcher::Make(request_, why);
    if (!matcher_) return RunStop{RunStop::Kind::InvalidInput, why, {}, {}};
    return std::nullopt;
  }

  RunDescription Describe(const script::Folder&) const override {
    RunDescription description;
    const Message what =
        Message(request_.pattern ? MessageId::TextPattern : MessageId::TextPlain, {request_.find});
    description.summary =
        Message(MessageId::TextSummary, {what, script::QuotedText(request_.with.value_or(""))});
    description.details.push_back("find: " + request_.find);
    description.details.push_back("replace with: " + request_.with.value_or(""));
    std::string options;
    for (const auto& [on, name] : {std::pair{request_.pattern, MessageId::TextOptionPattern},
                                   {request_.ignoreCase, MessageId::TextOptionIgnoreCase},
                                   {request_.wholeWords, MessageId::TextOptionWholeWords},
                                   {request_.insideTags, MessageId::TextOptionInsideTags},
                                   {request_.includeComments, MessageId::TextOptionComments}}) {
      if (on) options += (options.empty() ? "" : ", ") + script::English(Message(name));
    }
    if (!options.empty()) description.details.push_back("options: " + options);
    AddViewDetails(description.details, view_);
    return description;
  }

  ScriptPlan Plan(const ScriptTask&, script::TSubtitleFile& script, PlanContext& context) override {
    const bool replaces = context.request.mode != RunMode::Count && request_.with.has_value();
    EventScript prepared;
    if (std::optional<Message> why = PrepareEventScript(context.host, script, view_, blocks_,
                                                        request_.codePage, true, false, prepared)) {
      return {ScriptResult::Failure(std::move(*why)), nullptr};
    }
    // The texts the script's code page cannot hold are a reason for it, never a mojibake.
    if (!prepared.charset.IsUtf8()) {
      std::vector<const std::string*> typed;
      if (!request_.pattern) typed.push_back(&request_.find);
      if (replaces) typed.push_back(&*request_.with);
      std::string bytes;
      for (const std::string* text : typed) {
        if (script::Outcome in = EncodeTyped(*text, prepared.charset, bytes); !in) {
          return {ScriptResult::Failure(in.message()), nullptr};
        }
      }
    }
    std::optional<Recoder> recoder;
    if (!prepared.charset.IsUtf8()) recoder.emplace(prepared.charset.codePage);
    const std::string_view literal = matcher_->Literal();
    // In a UTF-8 script a plain text's copies in the bytes tell the lines to look at.
    const bool byCopies = !recoder && !literal.empty();
    const std::vector<std::int32_t> holding =
        byCopies ? EventsHolding(script, literal) : std::vector<std::int32_t>();
    const auto lookedAt =
        static_cast<std::int32_t>(byCopies ? holding.size() : script.EventCount());
    std::map<std::int32_t, std::string> edits;
    std::int32_t total = 0;
    std::string decoded;
    std::string edited;
    std::string encoded;
    for (std::int32_t n = 0; n < lookedAt; ++n) {
      const std::int32_t k = byCopies ? holding[n] : n;
      const std::string_view line = script.GetEventLine(k);
      const std::string_view body = script::StripLineEnd(line);
      const script::EventFormat& format = script.EventFormatOf(k);
      const std::string_view field = script::FieldOf(body, format.text, format);
      std::string_view text = field;
      if (recoder) {
        if (!recoder->Decode(field, decoded)) continue;  // not text in its code page: no match
        text = decoded;
      }
      if (recoder && !literal.empty() && FindBytes(text, literal, 0) == std::string_view::npos) {
        continue;  // (the lines of a UTF-8 script were chosen by their copies of it)
      }
      edited.clear();
      Message why;
      const std::int32_t found =
          EditText(*matcher_, text, request_.insideTags, replaces, edited, why);
      if (found < 0) return {ScriptResult::Failure(std::move(why)), nullptr};
      if (found == 0) continue;
      total += found;
      if (!replaces) continue;
      std::string_view newField = edited;
      if (recoder) {
        // Every byte but the replaced ones must stay: the field must come back as it was.
        if (!recoder->Encode(decoded, encoded) || encoded != field) {
          return {
              ScriptResult::Failure(Message(MessageId::TextNoRoundTrip,
                                            {script.EventIndex()[k] + 1, prepared.charset.label})),
              nullptr};
        }
        if (!recoder->Encode(edited, encoded)) {
          std::string ignored;
          return {ScriptResult::Failure(EncodeTyped(edited, prepared.charset, ignored).message()),
                  nullptr};
        }
        newField = encoded;
      }
      const std::size_t fieldStart = static_cast<std::size_t>(field.data() - line.data());
      std::string newLine(line.substr(0, fieldStart));
      newLine += newField;
      newLine += line.substr(fieldStart + field.size());
      edits[script.EventIndex()[k]] = std::move(newLine);
    }
    ScriptPlan plan;
    plan.result = ScriptResult::Counted(total, prepared.note);
    if (replaces && total > 0) {
      plan.content = std::make_unique<EditedLines>(script, std::move(edits));
    }
    return plan;
  }

  std::vector<Message> Notes() const override { return ViewNotes({request_.filter, {}}); }

 private:
  const TextRequest request_;
  EventView view_;
  TypedBlocks blocks_;  // none: the text is matched in UTF-8, not as a block of lines
  std::unique_ptr<TextMatcher> matcher_;
};

}  // namespace

std::unique_ptr<Operation> MakeOperation(const TextRequest& request) {
  return std::make_unique<TextOperation>(request);
}

}  // namespace nosk::engine
