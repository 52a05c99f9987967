#include "engine/batchsettings.h"

#include "script/timecodes.h"

namespace nosk::engine {

RunRequest ScriptReplaceRequest(const BatchSettings& settings, const EditorTexts& editors,
                                RunMode mode) {
  RunRequest request;
  request.mode = mode;
  ReplaceRequest replace;
  replace.searchLines = editors.SearchLines;
  replace.replaceLines = editors.ReplaceLines;
  replace.matching = settings.SearchMode;
  replace.replacement = settings.ReplaceMode;
  replace.codePage = settings.CodePage;
  replace.section = settings.SearchSection;
  replace.addMissing = settings.AddMissing && (settings.SearchSection == Section::Styles ||
                                               settings.SearchSection == Section::Header);
  // Exclusions and sorting concern event lines only.
  if (settings.SearchSection == Section::Events) {
    replace.filter = settings.Exclusions;
    replace.sort = settings.SortMode;
  }
  request.operation = replace;
  return request;
}

RunRequest TimingShiftRequest(const BatchSettings& settings, const EditorTexts& editors,
                              RunMode mode) {
  RunRequest request;
  request.mode = mode;
  ShiftRequest shift;
  shift.searchLines = editors.SearchLines;
  shift.matching = settings.SearchMode;
  shift.affect = settings.AffectMode;
  shift.times = settings.TimesMode;
  shift.centiseconds = script::TimeValue(editors.ShiftText);
  shift.direction = editors.ShiftForward ? Direction::Forward : Direction::Backward;
  shift.codePage = settings.CodePage;
  shift.filter = settings.Exclusions;
  shift.sort = settings.SortMode;
  request.operation = shift;
  return request;
}

RunRequest FormatConversionRequest(const BatchSettings& settings, RunMode mode) {
  RunRequest request;
  request.mode = mode;
  request.operation =
      ConvertRequest{settings.SourceEncoding, settings.TargetEncodingMode, settings.LineEndsMode};
  return request;
}

RunRequest RequestOf(const BatchSettings& settings, const EditorTexts& editors, RunMode mode) {
  switch (settings.WorkMode) {
    case Page::TimingShift:
      return TimingShiftRequest(settings, editors, mode);
    case Page::FormatConversion:
      return FormatConversionRequest(settings, mode);
    case Page::ScriptReplace:
    case Page::AdvancedSettings:
    case Page::TextReplace:  // its text and options are the page's own, not the record's
      break;
  }
  return ScriptReplaceRequest(settings, editors, mode);
}

}  // namespace nosk::engine
