// Finding and replacing a block among the lines of a script's other sections: its styles, its
// header, or any of its lines. Every other byte stays; a line put in takes the script's line end.
#pragma once

#include <optional>

#include "engine/internal/searchblock.h"
#include "engine/operations/operation.h"
#include "engine/runrequest.h"

namespace nosk::engine {

// The blocks of a run among a section's lines, as typed (UTF-8), checked, without the lines that
// do not count (blank ones: all of them among styles and header lines, the trailing ones among
// any lines).
struct SectionBlocks {
  Block search;
  Block replace;
};

// Why the request cannot run among its section's lines, if it cannot: a block line of another
// kind than the section's, a replace mode other than full match or none, exclusions or sorting
// (event lines only), adding where missing outside styles and header.
std::optional<RunStop> CheckSectionBlocks(const ReplaceRequest& request, RunMode mode,
                                          SectionBlocks& blocks);

// Finds the Search block among the section's lines of one script, and plans its replacement (or,
// when it is missing and the request says so, its addition) unless the run only counts.
ScriptPlan PlanSectionEdit(const ReplaceRequest& request, const SectionBlocks& blocks,
                           const script::TSubtitleFile& script, RunMode mode);

// "style lines", and the like, for summaries and details.
script::Message SectionName(Section section);

}  // namespace nosk::engine
