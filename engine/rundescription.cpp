#include "engine/rundescription.h"

#include <cstdlib>

#include "engine/formatconversion.h"
#include "script/timecodes.h"

namespace nosk::engine {
namespace {

std::string MatchingName(Matching mode) {
  switch (mode) {
    case Matching::TextOnly:
      return "text only";
    case Matching::TextAndFormat:
      return "text and format";
    case Matching::FullMatchWithOffset:
      return "full match (with offset)";
    case Matching::FullMatch:
      break;
  }
  return "full match";
}

std::string ReplacementName(Replacement mode) {
  switch (mode) {
    case Replacement::None:
      return "none";
    case Replacement::TextOnly:
      return "text only";
    case Replacement::TextAndFormat:
      return "text and format";
    case Replacement::TimingShift:
      return "timing shift";
    case Replacement::FullMatch:
      break;
  }
  return "full match";
}

std::string AffectName(Affect mode) {
  switch (mode) {
    case Affect::AllFilesAllRows:
      return "every script";
    case Affect::AllRows:
      return "every row of scripts holding the block";
    case Affect::RowsBefore:
      return "the rows before the block";
    case Affect::RowsBeforeAndBlock:
      return "the rows before the block and the block";
    case Affect::RowsAfterAndBlock:
      return "the block and the rows after it";
    case Affect::RowsAfter:
      break;
  }
  return "the rows after the block";
}

std::string TimesName(Times mode) {
  switch (mode) {
    case Times::StartOnly:
      return "start times";
    case Times::EndOnly:
      return "end times";
    case Times::None:
    case Times::StartAndEnd:
      break;
  }
  return "start and end times";
}

std::string SignedAmount(std::int32_t amount) {
  return (amount < 0 ? "-" : "+") + script::FormatTime(std::abs(static_cast<std::int64_t>(amount)));
}

std::string LineEndsName(LineEnds mode) {
  switch (mode) {
    case LineEnds::CrLf:
      return "line ends CR LF";
    case LineEnds::Lf:
      return "line ends LF";
    case LineEnds::Keep:
      break;
  }
  return "line ends kept";
}

void AddBlock(std::vector<std::string>& details, const std::string& title, const Block& block) {
  details.push_back(title + " (" + std::to_string(block.size()) + " lines):");
  for (const std::string& line : block) details.push_back("  " + line);
}

}  // namespace

std::string RunSummary(const BatchSettings& settings) {
  switch (settings.WorkMode) {
    case Page::ScriptReplace:
      return "Replace: " + ReplacementName(settings.ReplaceMode) + " replacement of the block (" +
             MatchingName(settings.SearchMode) + ")";
    case Page::TimingShift:
      return "Shift Times " + SignedAmount(settings.ShiftAmount) + ": " +
             AffectName(settings.AffectMode) + ", " + TimesName(settings.TimesMode);
    case Page::FormatConversion:
      return std::string("Format Conversion: to ") +
             (settings.TargetEncodingMode == TargetEncoding::Utf8WithMark ? "UTF-8 with mark"
                                                                          : "UTF-8") +
             ", " + LineEndsName(settings.LineEndsMode) + ", from " +
             (settings.SourceEncoding.empty() ? "the detected code page"
                                              : CodePageLabel(settings.SourceEncoding)) +
             " where a script is neither UTF-8 nor marked";
    case Page::AdvancedSettings:
      break;
  }
  return "Run";
}

std::vector<std::string> RunDetails(const BatchSettings& settings, const Block& searchBlock,
                                    const Block& replaceBlock) {
  std::vector<std::string> details;
  if (settings.WorkMode == Page::FormatConversion ||
      (settings.WorkMode == Page::TimingShift && settings.AffectMode == Affect::AllFilesAllRows)) {
    return details;
  }
  details.push_back("search mode: " + MatchingName(settings.SearchMode));
  AddBlock(details, "search block", searchBlock);
  if (settings.WorkMode == Page::ScriptReplace) AddBlock(details, "replace block", replaceBlock);
  return details;
}

}  // namespace nosk::engine
