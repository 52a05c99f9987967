#include "script/eventline.h"

#include <algorithm>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "script/ascii.h"
#include "script/eventformat.h"
#include "script/timecodes.h"

namespace nosk::script {
namespace {

constexpr std::string_view kDialogueKey = "Dialogue:";
constexpr std::string_view kCommentKey = "Comment:";
constexpr std::string_view kMaskedTime = "0:00:00.00";
constexpr std::string_view kCrLf = "\r\n";

// The set bits of a 16-bit mask, without the library call that std::popcount becomes on
// processors without a popcount instruction.
int BitsSet(unsigned mask) {
  mask = mask - ((mask >> 1) & 0x5555u);
  mask = (mask & 0x3333u) + ((mask >> 2) & 0x3333u);
  mask = (mask + (mask >> 4)) & 0x0F0Fu;
  return static_cast<int>((mask + (mask >> 8)) & 0x1Fu);
}

// Whether the line holds at least nine commas. This runs for every line of an events section,
// so it counts sixteen bytes at a time where the processor can (SSE2 is part of every x86-64).
bool HasAtLeastNineCommas(std::string_view line) {
  int commas = 0;
  std::size_t i = 0;
#ifdef __SSE2__
  const __m128i comma = _mm_set1_epi8(',');
  for (; i + 16 <= line.size(); i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line.data() + i));
    const auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, comma)));
    commas += BitsSet(mask);
    if (commas >= 9) return true;
  }
#endif
  for (; i < line.size(); ++i) {
    if (line[i] == ',' && ++commas == 9) return true;
  }
  return false;
}

// A Layer passes when it is exactly "0" or its leading integer (white space skipped, an optional
// sign, then digits) is not zero. So 0, 1, 12 and -3 pass; "", 00, Marked=0 and x do not.
bool IsNumericLayer(std::string_view layer) {
  if (layer.empty()) return false;
  if (layer == "0") return true;
  std::size_t i = 0;
  while (i < layer.size() && (layer[i] == ' ' || (layer[i] >= '\t' && layer[i] <= '\r'))) ++i;
  if (i < layer.size() && (layer[i] == '+' || layer[i] == '-')) ++i;
  for (; i < layer.size() && IsDigit(layer[i]); ++i) {
    if (layer[i] != '0') return true;
  }
  return false;
}

bool IsTimeCharacter(char c) { return IsDigit(c) || c == '.' || c == ':' || c == '-'; }

// Fields are numbered 1 (Layer) to 10 (Text); a caller may ask where later commas lead.
constexpr std::int32_t kFields = 10;

// Where fields 1 to `count` begin (0-based), in one scan: after the key's colon (and one space),
// then after each comma; the end of the line for a field the line does not reach.
void ScanFieldStarts(std::string_view line, std::size_t* starts, std::int32_t count) {
  std::fill(starts, starts + count, line.size());
  std::size_t position = line.find(':');
  if (position == std::string_view::npos) return;
  ++position;
  if (position < line.size() && line[position] == ' ') ++position;
  starts[0] = position;
  for (std::int32_t field = 1; field < count; ++field) {
    const std::size_t comma = line.find(',', position);
    if (comma == std::string_view::npos) return;
    position = comma + 1;
    starts[field] = position;
  }
}

// Where fields 2, 3 and 4 begin, for the rebuilding of every shifted line.
struct TimeFieldStarts {
  std::size_t start = 0;
  std::size_t end = 0;
  std::size_t rest = 0;
};

TimeFieldStarts FindTimeFieldStarts(std::string_view line) {
  std::size_t starts[4];
  ScanFieldStarts(line, starts, 4);
  return {starts[1], starts[2], starts[3]};
}

// A field below 10 that begins at `start`: up to the next comma, without line end.
std::string_view FieldFrom(std::string_view line, std::size_t start) {
  const std::string_view rest = line.substr(start);
  return StripLineEnd(rest.substr(0, rest.find(',')));
}

// The part of `text` from 0-based index `from`, clamped to the text.
std::string_view Rest(std::string_view text, std::int64_t from) {
  return text.substr(static_cast<std::size_t>(std::clamp<std::int64_t>(from, 0, text.size())));
}

}  // namespace

bool IsEventLine(std::string_view line, bool strict) {
  if (!line.starts_with(kDialogueKey) && !line.starts_with(kCommentKey)) return false;
  if (!HasAtLeastNineCommas(line)) return false;
  if (!strict) return true;
  return IsNumericLayer(GetField(line, 1)) && IsValidTime(GetField(line, 2)) &&
         IsValidTime(GetField(line, 3));
}

bool IsEventLine(std::string_view line, bool strict, const EventFormat& format) {
  if (format.IsStandard()) return IsEventLine(line, strict);
  if (!line.starts_with(kDialogueKey) && !line.starts_with(kCommentKey)) return false;
  // Every field but the Text ends in a comma.
  if (static_cast<std::int32_t>(std::count(line.begin(), line.end(), ',')) < format.text - 1) {
    return false;
  }
  if (!strict) return true;
  // SSA v4's Marked field reads "Marked=0"; a Layer is a number.
  if (format.layer != 0 && !format.IsMarked(format.layer) &&
      !IsNumericLayer(FieldOf(line, format.layer, format))) {
    return false;
  }
  return (format.start == 0 || IsValidTime(FieldOf(line, format.start, format))) &&
         (format.end == 0 || IsValidTime(FieldOf(line, format.end, format)));
}

std::optional<Message> EventLineProblem(std::string_view line, const EventFormat& format) {
  if (IsEventLine(line, true, format)) return std::nullopt;
  if (!line.starts_with(kDialogueKey) && !line.starts_with(kCommentKey)) {
    return Message(MessageId::NotDialogueOrComment);
  }
  const auto commas = static_cast<std::int32_t>(std::count(line.begin(), line.end(), ','));
  if (commas < format.text - 1) return Message(MessageId::TooFewCommas, {commas, format.text - 1});
  if (format.layer != 0 && !format.IsMarked(format.layer) &&
      !IsNumericLayer(FieldOf(line, format.layer, format))) {
    return Message(MessageId::LayerNotNumber, {std::string(FieldOf(line, format.layer, format))});
  }
  if (format.start != 0 && !IsValidTime(FieldOf(line, format.start, format))) {
    return Message(MessageId::StartTimeInvalid, {std::string(FieldOf(line, format.start, format))});
  }
  if (format.end != 0 && !IsValidTime(FieldOf(line, format.end, format))) {
    return Message(MessageId::EndTimeInvalid, {std::string(FieldOf(line, format.end, format))});
  }
  return Message(MessageId::NotDialogueOrComment);
}

std::string_view FieldOf(std::string_view line, std::int32_t n, const EventFormat& format) {
  if (n <= 0) return {};
  std::string_view field = Rest(line, FieldStart(line, n) - 1);
  if (n < format.text) field = field.substr(0, field.find(','));
  return StripLineEnd(field);
}

std::int32_t FieldStart(std::string_view line, std::int32_t n) {
  const std::int32_t field = std::max(n, 1);
  std::size_t few[kFields];
  std::vector<std::size_t> many(field > kFields ? static_cast<std::size_t>(field) : 0);
  std::size_t* starts = field > kFields ? many.data() : few;
  ScanFieldStarts(line, starts, field);
  const std::size_t start = starts[field - 1];
  // A field the line does not reach begins one past its end.
  return static_cast<std::int32_t>(start == line.size() ? line.size() + 1 : start + 1);
}

std::string_view GetField(std::string_view line, std::int32_t n) {
  std::string_view field = Rest(line, FieldStart(line, n) - 1);
  if (n < 10) field = field.substr(0, field.find(','));
  return StripLineEnd(field);
}

std::string_view StripLineEnd(std::string_view text) {
  if (text.ends_with('\n')) text.remove_suffix(1);
  if (text.ends_with('\r')) text.remove_suffix(1);
  return text;
}

std::string_view LineEnd(std::string_view line) {
  if (!line.ends_with('\n')) return {};
  return line.substr(line.size() - (line.ends_with("\r\n") ? 2 : 1));
}

void MaskEventTimesInto(std::string& out, std::string_view line) {
  MaskEventTimesInto(out, line, EventFormat::Standard());
}

void MaskEventTimesInto(std::string& out, std::string_view line, const EventFormat& format) {
  out.clear();
  const std::size_t colon = line.find(':');
  if (colon == std::string_view::npos) {
    out.assign(StripLineEnd(line));
    return;
  }
  std::size_t position = colon + 1;
  out.append(line.substr(0, position));
  const std::int32_t lastTime = std::max(format.start, format.end);
  for (std::int32_t field = 1; field <= lastTime && field < format.text; ++field) {
    if (field != format.start && field != format.end) {
      // Copied as it is, up to and including the comma that ends it.
      const std::size_t comma = line.find(',', position);
      if (comma == std::string_view::npos) {
        out.append(line.substr(position));
        out.resize(StripLineEnd(out).size());
        return;
      }
      out.append(line.substr(position, comma + 1 - position));
      position = comma + 1;
      continue;
    }
    // In a time field a run of time characters is replaced by the mask when the field's comma
    // comes; any other character is kept together with the run before it.
    std::size_t runStart = position;
    for (; position < line.size() && line[position] != ','; ++position) {
      if (!IsTimeCharacter(line[position])) {
        out.append(line.substr(runStart, position + 1 - runStart));
        runStart = position + 1;
      }
    }
    if (position == line.size()) {  // the line ended inside a time field: the run is dropped
      out.resize(StripLineEnd(out).size());
      return;
    }
    out.append(kMaskedTime);
    out.push_back(',');
    ++position;
  }
  out.append(line.substr(position));
  out.resize(StripLineEnd(out).size());
}

std::string MaskEventTimes(std::string_view line) {
  std::string form;
  MaskEventTimesInto(form, line);
  return form;
}

void AppendRebuiltEventTimes(std::string& out, std::string_view timesSource, std::string_view line,
                             std::int32_t offset, bool shiftStart, bool shiftEnd,
                             std::string_view lineEnd) {
  const std::string_view body = StripLineEnd(line);
  const TimeFieldStarts source = FindTimeFieldStarts(timesSource);
  const std::string_view start = FieldFrom(timesSource, source.start);
  const std::string_view end = FieldFrom(timesSource, source.end);
  // The head runs through the comma that ends field 1, the tail from the comma that ends field 3.
  // A line shifted with its own times: the scan of it serves for its body, unless the line ends
  // before field 4 (then the terminator could move where a missing field is said to begin).
  const bool sameLine = timesSource.data() == line.data() && timesSource.size() == line.size();
  const TimeFieldStarts fields =
      sameLine && source.rest < body.size() ? source : FindTimeFieldStarts(body);
  out.append(body.substr(0, fields.start));
  if (shiftStart) {
    AppendFormattedTime(out, std::int64_t{TimeValue(start)} + offset);
  } else {
    out.append(start);
  }
  out.push_back(',');
  if (shiftEnd) {
    AppendFormattedTime(out, std::int64_t{TimeValue(end)} + offset);
  } else {
    out.append(end);
  }
  out.append(Rest(body, static_cast<std::int64_t>(fields.rest) - 1));
  out.append(lineEnd);
}

void AppendRebuiltEventTimes(std::string& out, std::string_view timesSource, std::string_view line,
                             std::int32_t offset, bool shiftStart, bool shiftEnd,
                             std::string_view lineEnd, const EventFormat& format) {
  if (format.start == 2 && format.end == 3) {
    AppendRebuiltEventTimes(out, timesSource, line, offset, shiftStart, shiftEnd, lineEnd);
    return;
  }
  const std::string_view body = StripLineEnd(line);
  // Each time field of the body, where it begins and ends, and what goes there instead.
  struct Time {
    std::int32_t field;
    bool shift;
    std::size_t begin = 0;
    std::size_t end = 0;
    std::string_view value;
  };
  Time times[] = {{format.start, shiftStart, 0, 0, {}}, {format.end, shiftEnd, 0, 0, {}}};
  if (times[1].field < times[0].field) std::swap(times[0], times[1]);
  std::size_t position = 0;
  for (Time& time : times) {
    if (time.field == 0) continue;
    time.begin = static_cast<std::size_t>(FieldStart(body, time.field) - 1);
    time.end = std::min(body.find(',', std::min(time.begin, body.size())), body.size());
    time.value = FieldOf(timesSource, time.field, format);
    if (time.begin > body.size()) continue;  // a field the line does not reach
    out.append(body.substr(position, time.begin - position));
    if (time.shift) {
      AppendFormattedTime(out, std::int64_t{TimeValue(time.value)} + offset);
    } else {
      out.append(time.value);
    }
    position = time.end;
  }
  out.append(body.substr(position));
  out.append(lineEnd);
}

std::string RebuildEventTimes(std::string_view timesSource, std::string_view line,
                              std::int32_t offset, bool shiftStart, bool shiftEnd) {
  std::string rebuilt;
  rebuilt.reserve(line.size() + 24);
  AppendRebuiltEventTimes(rebuilt, timesSource, line, offset, shiftStart, shiftEnd, kCrLf);
  return rebuilt;
}

std::string CopyEventTimes(std::string_view timesSource, std::string_view line,
                           std::int32_t offset) {
  return RebuildEventTimes(timesSource, line, offset, true, true);
}

std::string ShiftEventTimes(std::string_view line, std::int32_t offset, bool shiftStart,
                            bool shiftEnd) {
  return RebuildEventTimes(line, line, offset, shiftStart, shiftEnd);
}

std::string ShiftEventLine(std::string_view line, std::int32_t offset) {
  return CopyEventTimes(line, line, offset);
}

bool IsScriptFileName(std::string_view path) {
#ifdef _WIN32
  constexpr std::string_view kSeparators = "\\/";
#else
  constexpr std::string_view kSeparators = "/";
#endif
  const std::size_t separator = path.find_last_of(kSeparators);
  const std::string_view name =
      separator == std::string_view::npos ? path : path.substr(separator + 1);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return false;
  const std::string_view extension = name.substr(dot);
  // In any letter case: EPISODE.ASS is a script as episode.ass is.
  const auto same = [](std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return (x | 0x20) == y; });
  };
  return same(extension, ".ass") || same(extension, ".ssa");
}

}  // namespace nosk::script
