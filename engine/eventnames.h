// The styles and actors the event lines of some scripts use, for a front end that offers them as
// exclusions.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "engine/host.h"
#include "engine/runrequest.h"
#include "script/message.h"

namespace nosk::engine {

struct EventNames {
  std::vector<std::string> styles;  // sorted, each once, as the run compares them
  std::vector<std::string> actors;  // the same; no empty name
};

// Reads each script and gathers the names its event lines use. A script that cannot be read
// gives none: the names are a help to choose, not a check.
EventNames NamesUsedIn(Host& host, const std::vector<std::filesystem::path>& scripts);

// The filter in words ("only the styles Sign; Comment: lines left out"); no message when it
// leaves nothing out.
script::Message FilterName(const EventFilter& filter);

}  // namespace nosk::engine
