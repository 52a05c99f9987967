// Which event lines of a script a run sees (its exclusions), and the order they are put in before
// it edits them (its sorting).
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "engine/eventnames.h"
#include "engine/runrequest.h"
#include "script/message.h"
#include "script/subtitlefile.h"

namespace nosk::engine {

// The text without the spaces and tabs around it.
std::string_view WithoutBlanksAround(std::string_view text);

// A style's or an actor's name as libass compares it: without the spaces around it and one
// leading `*`.
std::string_view ComparableName(std::string_view field);

// Takes the lines the filter leaves out out of the script's event index, so that no search sees
// them and no rewrite touches them. Returns how many it took out.
std::int32_t LeaveOutEvents(const EventFilter& filter, script::TSubtitleFile& script);

// The script with the events of its index put in the order, each run of events of one format
// among the places that run held: every other line stays where it is, every line keeps its bytes
// (a last line without a line end moved up takes the script's usual one). Nothing when they are
// already in order. `moved` is set to the number of event lines that change place.
std::unique_ptr<script::TSubtitleFile> SortedEvents(const script::TSubtitleFile& script,
                                                    SortOrder order, std::int32_t& moved);

// "by time", "by style", "by actor".
script::Message SortOrderName(SortOrder order);

}  // namespace nosk::engine
