#include "engine/eventnames.h"

#include <set>

#include "engine/internal/eventindex.h"
#include "engine/internal/eventselection.h"
#include "script/eventline.h"
#include "script/scriptio.h"

namespace nosk::engine {
namespace {

using script::Message;
using script::MessageId;

std::string NameList(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
  return list;
}

}  // namespace

EventNames NamesUsedIn(Host& host, const std::vector<std::filesystem::path>& scripts) {
  std::set<std::string> styles;
  std::set<std::string> actors;
  for (const std::filesystem::path& path : scripts) {
    script::TSubtitleFile script;
    if (!script::LoadScript(path, script)) continue;
    IndexEvents(host, script);
    for (std::int32_t k = 0; k < script.EventCount(); ++k) {
      const std::string_view line = script::StripLineEnd(script.GetEventLine(k));
      const script::EventFormat& format = script.EventFormatOf(k);
      styles.emplace(ComparableName(script::FieldOf(line, format.style, format)));
      if (const std::string_view actor = ComparableName(script::FieldOf(line, format.name, format));
          !actor.empty()) {
        actors.emplace(actor);
      }
    }
  }
  return {{styles.begin(), styles.end()}, {actors.begin(), actors.end()}};
}

Message FilterName(const EventFilter& filter) {
  Message name;
  const auto add = [&](MessageId id, const std::vector<std::string>& names) {
    if (!names.empty()) name = script::Joined(std::move(name), Message(id, {NameList(names)}));
  };
  add(MessageId::OnlyStyles, filter.onlyStyles);
  add(MessageId::SkipStyles, filter.skipStyles);
  add(MessageId::OnlyActors, filter.onlyActors);
  add(MessageId::SkipActors, filter.skipActors);
  if (filter.skipComments)
    name = script::Joined(std::move(name), Message(MessageId::CommentsSkipped));
  return name;
}

}  // namespace nosk::engine
