// The settings of one run, as the window's controls or the command line's options give them.
#pragma once

#include <cstdint>
#include <string>

namespace nosk::engine {

// The active page.
enum class Page : std::int16_t {
  ScriptReplace = 1,
  TimingShift = 2,
  FormatConversion = 3,
  AdvancedSettings = 4,
};

// How event lines are compared with the Search block.
enum class Matching : std::int16_t {
  TextOnly = 2,
  TextAndFormat = 3,
  FullMatchWithOffset = 4,  // not offered by the window; matches nothing but blank items
  FullMatch = 5,
};

// What the Replace block substitutes; None in a run that only counts.
enum class Replacement : std::int16_t {
  None = 0,
  TextOnly = 2,
  TextAndFormat = 3,
  TimingShift = 4,
  FullMatch = 5,
};

// Which event lines a timing shift touches.
enum class Affect : std::int16_t {
  AllFilesAllRows = 1,     // every event line; the Search block is not looked for
  AllRows = 2,             // every event line of a script that holds the Search block
  RowsBefore = 3,          // those before the first occurrence
  RowsBeforeAndBlock = 4,  // those up to the last line of the first occurrence
  RowsAfterAndBlock = 5,   // those from the first line of the first occurrence on
  RowsAfter = 6,           // those after the last line of the first occurrence
};

// Which times a timing shift changes; None in a run that only counts.
enum class Times : std::int16_t {
  None = 0,
  StartAndEnd = 1,
  StartOnly = 2,
  EndOnly = 3,
};

// What a format conversion writes: UTF-8, with the mark or without it.
enum class TargetEncoding : std::int16_t {
  Utf8WithMark = 1,
  Utf8 = 2,
};

// The line ends a format conversion writes.
enum class LineEnds : std::int16_t {
  Keep = 1,  // each line its own
  CrLf = 2,
  Lf = 3,
};

struct BatchSettings {
  Page WorkMode = Page::ScriptReplace;
  Matching SearchMode = Matching::FullMatch;
  Replacement ReplaceMode = Replacement::FullMatch;
  Affect AffectMode = Affect::AllFilesAllRows;
  Times TimesMode = Times::StartAndEnd;
  // The shift in centiseconds, negative to move back.
  std::int32_t ShiftAmount = 0;
  // A format conversion's: the code page of scripts that are neither UTF-8 nor marked as
  // UTF-16 or UTF-32, as iconv names it; empty to detect it in each script.
  std::string SourceEncoding;
  TargetEncoding TargetEncodingMode = TargetEncoding::Utf8WithMark;
  LineEnds LineEndsMode = LineEnds::Keep;
};

}  // namespace nosk::engine
