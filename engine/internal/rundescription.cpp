#include "engine/internal/rundescription.h"

namespace nosk::engine {

using script::Message;
using script::MessageId;

Message MatchingName(Matching mode) {
  switch (mode) {
    case Matching::TextOnly:
      return Message(MessageId::ModeTextOnly);
    case Matching::TextAndFormat:
      return Message(MessageId::ModeTextAndFormat);
    case Matching::FullMatchWithOffset:
      return Message(MessageId::ModeFullMatchWithOffset);
    case Matching::FullMatch:
      break;
  }
  return Message(MessageId::ModeFullMatch);
}

Message ReplacementName(Replacement mode) {
  switch (mode) {
    case Replacement::None:
      return Message(MessageId::ModeNone);
    case Replacement::TextOnly:
      return Message(MessageId::ModeTextOnly);
    case Replacement::TextAndFormat:
      return Message(MessageId::ModeTextAndFormat);
    case Replacement::TimingShift:
      return Message(MessageId::ModeTimingShift);
    case Replacement::FullMatch:
      break;
  }
  return Message(MessageId::ModeFullMatch);
}

Message AffectName(Affect mode) {
  switch (mode) {
    case Affect::AllFilesAllRows:
      return Message(MessageId::AffectEveryScript);
    case Affect::AllRows:
      return Message(MessageId::AffectEveryRow);
    case Affect::RowsBefore:
      return Message(MessageId::AffectRowsBefore);
    case Affect::RowsBeforeAndBlock:
      return Message(MessageId::AffectRowsBeforeAndBlock);
    case Affect::RowsAfterAndBlock:
      return Message(MessageId::AffectBlockAndRowsAfter);
    case Affect::RowsAfter:
      break;
  }
  return Message(MessageId::AffectRowsAfter);
}

Message TimesName(Times mode) {
  switch (mode) {
    case Times::StartOnly:
      return Message(MessageId::TimesStart);
    case Times::EndOnly:
      return Message(MessageId::TimesEnd);
    case Times::None:
    case Times::StartAndEnd:
      break;
  }
  return Message(MessageId::TimesStartAndEnd);
}

Message LineEndsName(LineEnds mode) {
  switch (mode) {
    case LineEnds::CrLf:
      return Message(MessageId::LineEndsCrLf);
    case LineEnds::Lf:
      return Message(MessageId::LineEndsLf);
    case LineEnds::Keep:
      break;
  }
  return Message(MessageId::LineEndsKept);
}

void AddSearchDetails(std::vector<std::string>& details, Matching mode, const Block& searchBlock) {
  details.push_back("search mode: " + script::English(MatchingName(mode)));
  AddBlockDetails(details, "search block", searchBlock);
}

void AddBlockDetails(std::vector<std::string>& details, const std::string& title,
                     const Block& block) {
  details.push_back(title + " (" + std::to_string(block.size()) + " lines):");
  for (const std::string& line : block) details.push_back("  " + line);
}

}  // namespace nosk::engine
