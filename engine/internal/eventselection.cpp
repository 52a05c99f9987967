#include "engine/internal/eventselection.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include "engine/internal/rewriter.h"
#include "script/eventline.h"
#include "script/timecodes.h"

namespace nosk::engine {
namespace {

using script::Message;
using script::MessageId;

bool Listed(const std::vector<std::string>& names, std::string_view name) {
  return std::any_of(names.begin(), names.end(),
                     [&](const std::string& listed) { return ComparableName(listed) == name; });
}

// Whether a line of this style and this actor (and kind) stays in the run's view.
bool Kept(const EventFilter& filter, std::string_view line, const script::EventFormat& format) {
  if (filter.skipComments && line.starts_with("Comment:")) return false;
  if (!filter.onlyStyles.empty() || !filter.skipStyles.empty()) {
    const std::string_view style = ComparableName(script::FieldOf(line, format.style, format));
    if (!filter.onlyStyles.empty() && !Listed(filter.onlyStyles, style)) return false;
    if (Listed(filter.skipStyles, style)) return false;
  }
  if (!filter.onlyActors.empty() || !filter.skipActors.empty()) {
    const std::string_view actor = ComparableName(script::FieldOf(line, format.name, format));
    if (!filter.onlyActors.empty() && !Listed(filter.onlyActors, actor)) return false;
    if (Listed(filter.skipActors, actor)) return false;
  }
  return true;
}

// What an event is sorted by: its name field (empty for the time order) and its times.
struct SortKey {
  std::string_view name;
  std::int32_t start = 0;
  std::int32_t end = 0;
};

SortKey KeyOf(std::string_view line, SortOrder order, const script::EventFormat& format) {
  SortKey key;
  if (order == SortOrder::ByStyle)
    key.name = ComparableName(script::FieldOf(line, format.style, format));
  if (order == SortOrder::ByActor)
    key.name = ComparableName(script::FieldOf(line, format.name, format));
  key.start = script::TimeValue(script::FieldOf(line, format.start, format));
  key.end = script::TimeValue(script::FieldOf(line, format.end, format));
  return key;
}

}  // namespace

std::string_view WithoutBlanksAround(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

std::string_view ComparableName(std::string_view field) {
  field = WithoutBlanksAround(field);
  if (field.starts_with('*')) field.remove_prefix(1);
  return field;
}

std::int32_t LeaveOutEvents(const EventFilter& filter, script::TSubtitleFile& script) {
  if (!filter.LeavesOutAny()) return 0;
  const std::int32_t before = script.EventCount();
  script.RetainEvents([&](std::int32_t k) {
    return Kept(filter, script::StripLineEnd(script.GetEventLine(k)), script.EventFormatOf(k));
  });
  return before - script.EventCount();
}

std::unique_ptr<script::TSubtitleFile> SortedEvents(const script::TSubtitleFile& script,
                                                    SortOrder order, std::int32_t& moved) {
  moved = 0;
  const std::int32_t eventCount = script.EventCount();
  if (order == SortOrder::None || eventCount < 2) return nullptr;
  std::vector<SortKey> keys(static_cast<std::size_t>(eventCount));
  for (std::int32_t k = 0; k < eventCount; ++k) {
    keys[k] = KeyOf(script::StripLineEnd(script.GetEventLine(k)), order, script.EventFormatOf(k));
  }
  const auto before = [&](std::int32_t a, std::int32_t b) {
    const SortKey& x = keys[a];
    const SortKey& y = keys[b];
    if (x.name != y.name) return x.name < y.name;
    if (x.start != y.start) return x.start < y.start;
    return order == SortOrder::ByTime && x.end < y.end;
  };
  // placed[k]: the event that goes to event k's place. Events of one format are sorted among
  // themselves: a line put under another Format line would have its fields read as another's.
  std::vector<std::int32_t> placed(static_cast<std::size_t>(eventCount));
  std::iota(placed.begin(), placed.end(), 0);
  for (std::int32_t first = 0; first < eventCount;) {
    std::int32_t last = first + 1;
    while (last < eventCount && &script.EventFormatOf(last) == &script.EventFormatOf(first)) ++last;
    std::stable_sort(placed.begin() + first, placed.begin() + last, before);
    first = last;
  }
  for (std::int32_t k = 0; k < eventCount; ++k) moved += placed[k] != k ? 1 : 0;
  if (moved == 0) return nullptr;

  const std::vector<std::int32_t>& eventIndex = script.EventIndex();
  const std::string_view usualLineEnd = UsualLineEnd(script);
  const std::int32_t lineCount = script.LineCount();
  script::ByteBuffer text;
  text.Reserve(script.GetLines(0, lineCount).size() + usualLineEnd.size());
  std::int32_t nextLine = 0;
  for (std::int32_t k = 0; k < eventCount; ++k) {
    text.Append(script.GetLines(nextLine, eventIndex[k]));
    const std::string_view line = script.GetEventLine(placed[k]);
    text.Append(line);
    // Only the last line of a file can lack a line end; elsewhere it needs one.
    if (eventIndex[k] + 1 < lineCount && !line.ends_with('\n')) text.Append(usualLineEnd);
    nextLine = eventIndex[k] + 1;
  }
  text.Append(script.GetLines(nextLine, lineCount));
  auto sorted = std::make_unique<script::TSubtitleFile>();
  sorted->AddText(std::move(text));
  sorted->SetSourceIdentity(script.SourceIdentity());
  return sorted;
}

Message SortOrderName(SortOrder order) {
  switch (order) {
    case SortOrder::ByStyle:
      return Message(MessageId::SortByStyle);
    case SortOrder::ByActor:
      return Message(MessageId::SortByActor);
    case SortOrder::ByTime:
    case SortOrder::None:
      break;
  }
  return Message(MessageId::SortByTime);
}

}  // namespace nosk::engine
