// The fields of event lines, as the "Format:" line of an [Events] section names them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nosk::script {

// Field numbers count from 1; 0 stands for a field the format does not have. The Text field
// takes the rest of the line, commas included: fields named after it are not fields of a line.
struct EventFormat {
  // The names in order, in lower case and trimmed; "actor" is "name". "marked" (SSA v4) stands
  // where "layer" does in ASS.
  std::vector<std::string> names;
  std::int32_t layer = 0;  // the field named Layer or Marked
  std::int32_t start = 0;
  std::int32_t end = 0;
  std::int32_t style = 0;
  std::int32_t name = 0;
  std::int32_t text = 0;  // the last field of a line

  // Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text: what a script
  // without a Format line, and a typed block without one of its own, have.
  static const EventFormat& Standard();
  // The format a line "Format: Layer, Start, End, Style, Text" gives; nothing for a line that
  // is no Format line, or names no Text field.
  static std::optional<EventFormat> FromLine(std::string_view line);

  // The number of the field with this name (lower case), or 0.
  std::int32_t FieldNamed(std::string_view fieldName) const;
  // Whether field `n` is SSA v4's "Marked", whose values read "Marked=0".
  bool IsMarked(std::int32_t n) const { return n == layer && n > 0 && names[n - 1] == "marked"; }
  bool IsStandard() const;
  bool operator==(const EventFormat& other) const { return names == other.names; }
};

// An event line cut into its key ("Dialogue" or "Comment", without the colon) and the values of
// its fields in its format, the Text running to the end of the line, line end left out. A field
// the line does not reach is empty.
struct EventFields {
  std::string_view key;
  std::vector<std::string_view> values;  // one per field of the format
};
EventFields SplitEventLine(std::string_view line, const EventFormat& format);

// The line in another format: the key, one space, and the values of `to`'s fields, each taken
// from the field of the same name (Layer's value written as "Marked=N" into a Marked field and
// the other way round); a field `from` lacks is empty. No line end.
std::string ProjectEventLine(std::string_view line, const EventFormat& from, const EventFormat& to);

}  // namespace nosk::script
