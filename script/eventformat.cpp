#include "script/eventformat.h"

#include "script/eventline.h"

namespace nosk::script {
namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' ||
                           text.back() == '\n')) {
    text.remove_suffix(1);
  }
  return text;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

// A format of these names, its known fields found; nothing without a Text field.
std::optional<EventFormat> Named(std::vector<std::string> names) {
  EventFormat format;
  for (std::string& fieldName : names) {
    if (fieldName == "actor") fieldName = "name";
  }
  format.names = std::move(names);
  format.text = format.FieldNamed("text");
  if (format.text == 0) return std::nullopt;
  format.names.resize(static_cast<std::size_t>(format.text));
  format.layer = format.FieldNamed("layer");
  if (format.layer == 0) format.layer = format.FieldNamed("marked");
  format.start = format.FieldNamed("start");
  format.end = format.FieldNamed("end");
  format.style = format.FieldNamed("style");
  format.name = format.FieldNamed("name");
  return format;
}

}  // namespace

const EventFormat& EventFormat::Standard() {
  static const EventFormat standard = *Named({"layer", "start", "end", "style", "name", "marginl",
                                              "marginr", "marginv", "effect", "text"});
  return standard;
}

std::optional<EventFormat> EventFormat::FromLine(std::string_view line) {
  if (!line.starts_with("Format:")) return std::nullopt;
  line = StripLineEnd(line.substr(7));
  std::vector<std::string> names;
  while (true) {
    const std::size_t comma = line.find(',');
    names.push_back(Lower(Trimmed(line.substr(0, comma))));
    if (comma == std::string_view::npos) break;
    line.remove_prefix(comma + 1);
  }
  return Named(std::move(names));
}

std::int32_t EventFormat::FieldNamed(std::string_view fieldName) const {
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == fieldName) return static_cast<std::int32_t>(i) + 1;
  }
  return 0;
}

bool EventFormat::IsStandard() const { return *this == Standard(); }

EventFields SplitEventLine(std::string_view line, const EventFormat& format) {
  EventFields fields;
  const std::string_view body = StripLineEnd(line);
  const std::size_t colon = body.find(':');
  fields.key = body.substr(0, colon == std::string_view::npos ? body.size() : colon);
  fields.values.resize(format.names.size());
  if (colon == std::string_view::npos) return fields;
  std::size_t position = colon + 1;
  if (position < body.size() && body[position] == ' ') ++position;
  for (std::size_t i = 0; i < fields.values.size() && position <= body.size(); ++i) {
    const bool last = i + 1 == fields.values.size();
    const std::size_t comma = last ? std::string_view::npos : body.find(',', position);
    fields.values[i] = body.substr(
        position, comma == std::string_view::npos ? body.size() - position : comma - position);
    if (comma == std::string_view::npos) break;
    position = comma + 1;
  }
  return fields;
}

std::string ProjectEventLine(std::string_view line, const EventFormat& from,
                             const EventFormat& to) {
  const EventFields fields = SplitEventLine(line, from);
  std::string projected(fields.key);
  projected += ": ";
  for (std::size_t i = 0; i < to.names.size(); ++i) {
    if (i > 0) projected += ',';
    const auto n = static_cast<std::int32_t>(i) + 1;
    // The Layer field is found under either of its names.
    const std::int32_t source = n == to.layer ? from.layer : from.FieldNamed(to.names[i]);
    if (source == 0) continue;
    std::string_view value = fields.values[static_cast<std::size_t>(source) - 1];
    const bool marked = from.IsMarked(source);
    if (marked && value.starts_with("Marked=")) value.remove_prefix(7);
    if (to.IsMarked(n) && !value.starts_with("Marked=")) projected += "Marked=";
    projected += value;
  }
  return projected;
}

}  // namespace nosk::script
