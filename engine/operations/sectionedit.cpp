#include "engine/operations/sectionedit.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/internal/charset.h"
#include "engine/internal/eventselection.h"
#include "engine/internal/progressphase.h"
#include "engine/internal/rewriter.h"
#include "engine/operations/eventedit.h"
#include "script/eventline.h"
#include "script/scriptio.h"

namespace nosk::engine {
namespace {

using script::Message;
using script::MessageId;

constexpr std::string_view kMark = "\xEF\xBB\xBF";
constexpr std::string_view kStylesFormat =
    "Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, OutlineColour, "
    "BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, ScaleY, Spacing, Angle, "
    "BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, Encoding";

enum class SectionKind { Info, Styles, Events, Embedded, Other };

// The kind of section a "[...]" line opens.
SectionKind KindOfHeading(std::string_view line) {
  line = script::StripLineEnd(line);
  if (line.starts_with(kMark)) line.remove_prefix(kMark.size());
  if (line.starts_with("[Script Info]")) return SectionKind::Info;
  if (line.starts_with("[V4+ Styles]") || line.starts_with("[V4 Styles]") ||
      line.starts_with("[V4 Styles+]")) {
    return SectionKind::Styles;
  }
  if (line.starts_with("[Events]")) return SectionKind::Events;
  if (line.starts_with("[Fonts]") || line.starts_with("[Graphics]")) return SectionKind::Embedded;
  return SectionKind::Other;
}

bool IsHeading(std::string_view line) {
  if (line.starts_with(kMark)) line.remove_prefix(kMark.size());
  return line.starts_with('[');
}

bool IsBlank(std::string_view line) {
  return WithoutBlanksAround(script::StripLineEnd(line)).empty();
}

// A "Key: value" line of [Script Info]: a key, then a colon; not a comment.
bool IsHeaderLine(std::string_view line) {
  if (line.starts_with(kMark)) line.remove_prefix(kMark.size());
  const std::size_t colon = line.find(':');
  return colon != std::string_view::npos && colon > 0 && !line.starts_with(';') &&
         !line.starts_with('[');
}

bool IsStyleLine(std::string_view line) { return line.starts_with("Style:"); }

// What a line is compared by: among styles and header lines in the text modes, the style's name
// or the key; otherwise the whole line without its end.
std::string_view KeyOf(std::string_view line, Section section, Matching matching) {
  line = script::StripLineEnd(line);
  const bool byName = matching == Matching::TextOnly || matching == Matching::TextAndFormat;
  if (byName && section == Section::Styles) {
    const std::string_view fields = line.substr(std::string_view("Style:").size());
    return ComparableName(fields.substr(0, fields.find(',')));
  }
  if (byName && section == Section::Header) {
    if (line.starts_with(kMark)) line.remove_prefix(kMark.size());
    return WithoutBlanksAround(line.substr(0, line.find(':')));
  }
  return line;
}

// The lines of a script the block is looked for among, and where a missing block goes.
struct SectionLines {
  std::vector<std::int32_t> lines;
  std::int32_t sectionEnd = -1;  // the last line of the first section of the kind but blank ones
  std::int32_t events = -1;      // the [Events] line
};

SectionLines IndexSection(const script::TSubtitleFile& script, Section section) {
  SectionLines index;
  const SectionKind wanted = section == Section::Styles ? SectionKind::Styles : SectionKind::Info;
  SectionKind current = SectionKind::Other;  // before any heading: not a section of ours
  bool firstOfKind = false;
  bool seenKind = false;
  for (std::int32_t i = 0; i < script.LineCount(); ++i) {
    const std::string_view line = script.GetLine(i);
    if (IsHeading(line)) {
      current = KindOfHeading(line);
      if (current == SectionKind::Events && index.events < 0) index.events = i;
      firstOfKind = current == wanted && !seenKind;
      seenKind |= current == wanted;
      if (firstOfKind) index.sectionEnd = i;
      if (section == Section::Any && current != SectionKind::Embedded) index.lines.push_back(i);
      continue;
    }
    if (firstOfKind && !IsBlank(line)) index.sectionEnd = i;
    switch (section) {
      case Section::Styles:
        if (current == SectionKind::Styles && IsStyleLine(line)) index.lines.push_back(i);
        break;
      case Section::Header:
        if (current == SectionKind::Info && IsHeaderLine(line)) index.lines.push_back(i);
        break;
      case Section::Any:
        if (current != SectionKind::Embedded) index.lines.push_back(i);
        break;
      case Section::Events:
        break;
    }
  }
  return index;
}

// Reads an editor's lines into a block of the section's kind.
script::Outcome ReadSectionBlock(const std::vector<std::string>& editorLines, Section section,
                                 std::size_t fewestLines, MessageId tooLarge, MessageId error,
                                 Block& block) {
  if (editorLines.size() > kLargestBlock) return script::Outcome::Failure(Message(tooLarge));
  const auto failed = [&](Message why) {
    return script::Outcome::Failure(Message(MessageId::DataErrorBecause, {Message(error), why}));
  };
  block.clear();
  std::size_t trailingBlanks = 0;
  for (std::size_t i = 0; i < editorLines.size(); ++i) {
    const std::string& line = editorLines[i];
    if (IsBlank(line)) {
      if (section != Section::Any) continue;
      ++trailingBlanks;
    } else {
      if (section == Section::Styles && !IsStyleLine(line)) {
        return failed(Message(MessageId::BlockLineNotStyle, {i + 1}));
      }
      if (section == Section::Header && (!IsHeaderLine(line) || line.starts_with(kMark))) {
        return failed(Message(MessageId::BlockLineNotHeader, {i + 1}));
      }
      trailingBlanks = 0;
    }
    block.push_back(line);
  }
  block.resize(block.size() - trailingBlanks);
  if (block.size() < fewestLines) return failed(Message(MessageId::BlockHasNoLine));
  return script::Outcome::Success();
}

void AppendLines(std::string& out, const Block& lines, std::string_view lineEnd) {
  for (const std::string& line : lines) {
    out += line;
    out += lineEnd;
  }
}

// The edit that puts the Replace block into a script that lacks it: at the end of its section,
// or in a section of its own (the header first, the styles before [Events]).
void AddMissing(const script::TSubtitleFile& script, const SectionLines& index, Section section,
                const Block& replace, std::map<std::int32_t, std::string>& edits) {
  const std::string_view end = UsualLineEnd(script);
  const std::int32_t lineCount = script.LineCount();
  std::string added;
  std::int32_t after = index.sectionEnd;  // the line the block goes after; -1: before line 0
  if (after < 0) {
    added += section == Section::Styles ? "[V4+ Styles]" : "[Script Info]";
    added += end;
    if (section == Section::Styles) (added += kStylesFormat) += end;
    AppendLines(added, replace, end);
    added += end;
    after = section == Section::Styles ? (index.events >= 0 ? index.events : lineCount) - 1 : -1;
  } else {
    AppendLines(added, replace, end);
  }
  if (after >= 0) {
    const std::string_view line = script.GetLine(after);
    std::string text(line);
    if (script::LineEnd(line).empty()) text += end;
    edits[after] = text + added;
    return;
  }
  // Before the first line: after its UTF-8 mark, which must stay the first bytes.
  if (lineCount == 0) {
    edits[0] = added;
    return;
  }
  std::string_view first = script.GetLine(0);
  std::string text;
  if (first.starts_with(kMark)) {
    text += kMark;
    first.remove_prefix(kMark.size());
  }
  edits[0] = text + added + std::string(first);
}

}  // namespace

Message SectionName(Section section) {
  switch (section) {
    case Section::Styles:
      return Message(MessageId::SectionStyles);
    case Section::Header:
      return Message(MessageId::SectionHeader);
    case Section::Any:
      return Message(MessageId::SectionAny);
    case Section::Events:
      break;
  }
  return Message(MessageId::SectionEvents);
}

std::optional<RunStop> CheckSectionBlocks(const ReplaceRequest& request, RunMode mode,
                                          SectionBlocks& blocks) {
  const auto stop = [](Message status) {
    return RunStop{RunStop::Kind::InvalidInput, std::move(status), {}, {}};
  };
  if (request.filter.LeavesOutAny() || request.sort != SortOrder::None) {
    return stop(Message(MessageId::ViewOnlyEvents));
  }
  if (request.addMissing && request.section == Section::Any) {
    return stop(Message(MessageId::AddMissingSection));
  }
  if (script::Outcome read =
          ReadSectionBlock(request.searchLines, request.section, 1, MessageId::SearchDataTooLarge,
                           MessageId::SearchDataError, blocks.search);
      !read) {
    return stop(read.message());
  }
  if (mode == RunMode::Count) return std::nullopt;
  if (request.replacement != Replacement::FullMatch && request.replacement != Replacement::None) {
    return stop(Message(MessageId::SectionReplaceMode, {SectionName(request.section)}));
  }
  if (script::Outcome read =
          ReadSectionBlock(request.replaceLines, request.section, 0, MessageId::ReplaceDataTooLarge,
                           MessageId::ReplaceDataError, blocks.replace);
      !read) {
    return stop(read.message());
  }
  return std::nullopt;
}

ScriptPlan PlanSectionEdit(const ReplaceRequest& request, const SectionBlocks& blocks,
                           const script::TSubtitleFile& script, RunMode mode) {
  const bool writes = mode != RunMode::Count;
  ScriptCharset charset;
  if (script::Outcome resolved =
          ResolveCharset(script.GetLines(0, script.LineCount()), request.codePage, charset);
      !resolved) {
    return {ScriptResult::Failure(resolved.message()), nullptr};
  }
  // The blocks in the script's bytes.
  Block search;
  Block replace;
  if (Message why = EncodeBlock(blocks.search, charset, search); !why.empty()) {
    return {ScriptResult::Failure(std::move(why)), nullptr};
  }
  if (writes) {
    if (Message why = EncodeBlock(blocks.replace, charset, replace); !why.empty()) {
      return {ScriptResult::Failure(std::move(why)), nullptr};
    }
  }
  Block keys;
  for (const std::string& line : search) {
    keys.emplace_back(KeyOf(line, request.section, request.matching));
  }

  const SectionLines index = IndexSection(script, request.section);
  const std::vector<std::int32_t> failure = FailureLinks(keys);
  const auto length = static_cast<std::int32_t>(keys.size());
  std::vector<std::int32_t> starts;  // positions in the index where an occurrence starts
  std::int32_t matched = 0;
  for (std::int32_t r = 0; r < static_cast<std::int32_t>(index.lines.size()); ++r) {
    const std::string_view key =
        KeyOf(script.GetLine(index.lines[r]), request.section, request.matching);
    while (matched > 0 && keys[matched] != key) matched = failure[matched - 1];
    if (keys[matched] == key) ++matched;
    if (matched == length) {
      starts.push_back(r - length + 1);
      matched = 0;
    }
  }

  ScriptPlan plan;
  plan.result = ScriptResult::Counted(static_cast<std::int32_t>(starts.size()));
  if (!writes) return plan;
  std::map<std::int32_t, std::string> edits;
  const std::string_view usualEnd = UsualLineEnd(script);
  std::int32_t changed = 0;  // the occurrences the Replace block changes
  for (const std::int32_t start : starts) {
    const std::size_t editsBefore = edits.size();
    // Each line of the occurrence gives way to the Replace line in its place; the Replace lines
    // it has no line for follow its last line, and its lines the Replace block is too short for
    // go.
    for (std::int32_t i = 0; i < length; ++i) {
      const std::string_view line = script.GetLine(index.lines[start + i]);
      const std::string_view end = RebuiltLineEnd(line, usualEnd);
      std::string text;
      if (i < static_cast<std::int32_t>(replace.size())) text = replace[i] + std::string(end);
      if (i + 1 == length) {
        for (std::size_t extra = length; extra < replace.size(); ++extra) {
          (text += replace[extra]) += end;
        }
      }
      if (text != line) edits[index.lines[start + i]] = std::move(text);
    }
    changed += edits.size() > editsBefore ? 1 : 0;
  }
  // A season set to the Replace block already is not rewritten again: what is so counts 0.
  plan.result = ScriptResult::Counted(
      changed, changed == 0 && !starts.empty() ? Message(MessageId::AlreadyAsReplaced) : Message());
  if (starts.empty() && request.addMissing && !replace.empty()) {
    AddMissing(script, index, request.section, replace, edits);
    plan.result = ScriptResult::Counted(1, Message(MessageId::AddedWhereMissing));
  }
  if (plan.result.code > 0) plan.content = std::make_unique<EditedLines>(script, std::move(edits));
  return plan;
}

}  // namespace nosk::engine
