// The window's record of its choices (BatchSettings, filled from the controls at the start of
// every run), and the request each page's run makes of them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/runrequest.h"

namespace nosk::engine {

// The active page.
enum class Page : std::int16_t {
  ScriptReplace = 1,
  TimingShift = 2,
  FormatConversion = 3,
  AdvancedSettings = 4,
  TextReplace = 5,  // shown after "Timing Shift"; builds its request itself
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
  // What scripts that are neither UTF-8 nor marked are edited in: a code page as iconv names
  // it, or empty to guess it in each script.
  std::string CodePage;
  // Where "Script Replace" looks for its block, and whether it adds it where it is missing.
  Section SearchSection = Section::Events;
  bool AddMissing = false;
  // The order the event lines are put in before a replace or a shift.
  SortOrder SortMode = SortOrder::None;
  // The event lines the runs of "Script Replace" and "Timing Shift" leave out.
  EventFilter Exclusions;
};

// What the user typed for a run: the lines of the editors (UTF-8, no line ends) and the shift
// amount's editor with its direction.
struct EditorTexts {
  std::vector<std::string> SearchLines;   // the Search editor of the active page
  std::vector<std::string> ReplaceLines;  // the Replace editor of "Script Replace"
  std::string ShiftText = "0:00:00.00";   // the shift amount, H:MM:SS.CC
  bool ShiftForward = true;
};

// The run of the page "Script Replace": its two editors, the search and replace modes.
RunRequest ScriptReplaceRequest(const BatchSettings& settings, const EditorTexts& editors,
                                RunMode mode);
// The run of the page "Timing Shift": the amount read from its editor as a time code, the
// direction, the affect and times modes, and its Search editor.
RunRequest TimingShiftRequest(const BatchSettings& settings, const EditorTexts& editors,
                              RunMode mode);
// The run of the page "Format Conversion".
RunRequest FormatConversionRequest(const BatchSettings& settings, RunMode mode);
// The run of the page the settings' WorkMode names ("Advanced Settings" runs as "Script
// Replace", whose search mode it sets).
RunRequest RequestOf(const BatchSettings& settings, const EditorTexts& editors, RunMode mode);

}  // namespace nosk::engine
