// The one loop of every run: each script located, locked, opened, loaded and planned, then
// previewed or written, recorded and given its result.
#pragma once

#include <optional>
#include <vector>

#include "engine/filelist.h"
#include "engine/host.h"
#include "engine/runrequest.h"
#include "engine/scriptresult.h"
#include "script/message.h"

namespace nosk::engine {

// Why a run stopped at a check, before it opened any file.
struct RunStop {
  enum class Kind {
    NothingToRun,  // the list has no entry
    InvalidInput,  // what the user gave cannot make a run (a block, a code page)
  };
  Kind kind = Kind::InvalidInput;
  script::Message status;       // the short status text: "Search data error."
  script::Message title;        // with an explanation: the title of the box that tells it
  script::Message explanation;  // what a box tells besides, or nothing
};

// How a run ended.
struct RunOutcome {
  // Set when a check stopped the run: then no file was opened, and the list keeps its results.
  std::optional<RunStop> stopped;
  // What went wrong besides the scripts' own results (a journal record or a flush that failed,
  // a folder whose run could not be undone), a message each.
  std::vector<script::Message> problems;
  // What the user should know of the run as a whole that is no failure, a message each.
  std::vector<script::Message> notes;

  // Whether the run went through its list.
  explicit operator bool() const { return !stopped; }
};

// Runs the request over the list: every entry gets its result (unchecked ones kNotProcessed), a
// failed script never stops the run. While a writing run lasts, no other Nosk run works in the
// same folder.
RunOutcome Run(const RunRequest& request, FileList& files, Host& host);

}  // namespace nosk::engine
