// Event lines ("Dialogue:" and "Comment:") of a script: recognising them, their fields, the
// comparison forms of the search modes and rebuilding them with new times.
//
// Lines are bytes as read from the script (terminator included) or as typed in an editor
// (no terminator). Every delimiter looked at is ASCII, so the operations work on UTF-8 and on
// any ASCII-compatible single-byte code page alike. Positions are 1-based byte positions; fields
// are numbered 1 (Layer) to 10 (Text). The Text field is everything after the ninth comma.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "script/eventformat.h"
#include "script/message.h"

namespace nosk::script {

// Whether the line is an event line. Lenient (lines of a script): the key and at least nine
// commas. Strict (lines the user types): also a Layer that reads as a number and two valid times.
bool IsEventLine(std::string_view line, bool strict);

// IsEventLine for the lines of a section whose Format line gives `format`: at least a comma
// after each field but the Text; strictly, a Layer that is a number (a Marked field is not
// tested) and valid Start and End times, where the format has them.
bool IsEventLine(std::string_view line, bool strict, const EventFormat& format);

// What keeps a typed line from being an event line (strictly) in `format`, said for the user:
// its key, its commas, its Layer or one of its times. Nothing when it is one.
std::optional<Message> EventLineProblem(std::string_view line, const EventFormat& format);

// Field n of a line in `format`, without the line terminator; the Text field runs to the end of
// the line. Empty for 0 (a field the format lacks). A view into `line`.
std::string_view FieldOf(std::string_view line, std::int32_t n, const EventFormat& format);

// Where field n begins (1-based); one past the end of the line when the line does not reach it.
std::int32_t FieldStart(std::string_view line, std::int32_t n);

// Field n without the line terminator; fields from 10 on run to the end of the line.
// The result is a view into `line`.
std::string_view GetField(std::string_view line, std::int32_t n);

// The text without one trailing LF and then without one trailing CR. A view into `text`.
std::string_view StripLineEnd(std::string_view text);

// The line's own line end: CR LF or LF, or empty when the line has none (the last line of a file
// that does not end with one). A CR alone ends no line here. A view into `line`.
std::string_view LineEnd(std::string_view line);

// The text-and-format comparison form: the line with its Start and End times masked as
// "0:00:00.00", without terminator.
std::string MaskEventTimes(std::string_view line);
// MaskEventTimes, written into `out` (emptied first) so that a caller can reuse one buffer.
void MaskEventTimesInto(std::string& out, std::string_view line);
// The same for a line in `format`: its Start and End fields masked, wherever they stand.
void MaskEventTimesInto(std::string& out, std::string_view line, const EventFormat& format);

// Everything of `line` but its two times, with the times of `timesSource` (each moved by
// `offset` when its flag is set, then written in canonical form with clamping), ending in CR LF.
std::string RebuildEventTimes(std::string_view timesSource, std::string_view line,
                              std::int32_t offset, bool shiftStart, bool shiftEnd);
// RebuildEventTimes, appended to `out`, ending in `lineEnd` instead of CR LF: a line rebuilt in a
// script takes the line end of the line it replaces.
void AppendRebuiltEventTimes(std::string& out, std::string_view timesSource, std::string_view line,
                             std::int32_t offset, bool shiftStart, bool shiftEnd,
                             std::string_view lineEnd);
// The same for lines in `format`, whose Start and End fields may stand anywhere (or be missing:
// then nothing is rebuilt in their place).
void AppendRebuiltEventTimes(std::string& out, std::string_view timesSource, std::string_view line,
                             std::int32_t offset, bool shiftStart, bool shiftEnd,
                             std::string_view lineEnd, const EventFormat& format);

// RebuildEventTimes(timesSource, line, offset, true, true).
std::string CopyEventTimes(std::string_view timesSource, std::string_view line,
                           std::int32_t offset);
// RebuildEventTimes(line, line, offset, shiftStart, shiftEnd).
std::string ShiftEventTimes(std::string_view line, std::int32_t offset, bool shiftStart,
                            bool shiftEnd);
// Both times of the line moved by offset.
std::string ShiftEventLine(std::string_view line, std::int32_t offset);

// Whether the last component of the path ends in ".ass" or ".ssa", in any letter case.
bool IsScriptFileName(std::string_view path);

}  // namespace nosk::script
