// What a run does, in words: for the run journal and the history.
#pragma once

#include <string>
#include <vector>

#include "engine/internal/searchblock.h"
#include "engine/runrequest.h"
#include "script/message.h"

namespace nosk::engine {

// What a run's record says of it in one folder.
struct RunDescription {
  script::Message summary;           // one line ("Shift Times +0:00:01.50: every script, ...")
  std::vector<std::string> details;  // the modes and the blocks, a line each, in English
  std::string undoes;                // an undo's: the id of the run it takes back
  bool redo = false;                 // that run is an undo: this one puts back what it took
};

// The names of the choices, as summaries say them.
script::Message MatchingName(Matching mode);
script::Message ReplacementName(Replacement mode);
script::Message AffectName(Affect mode);
script::Message TimesName(Times mode);
script::Message LineEndsName(LineEnds mode);

// "search mode: text only", then the block as typed, for a run's details.
void AddSearchDetails(std::vector<std::string>& details, Matching mode, const Block& searchBlock);
// "TITLE (N lines):" and the lines as typed, indented.
void AddBlockDetails(std::vector<std::string>& details, const std::string& title,
                     const Block& block);

}  // namespace nosk::engine
