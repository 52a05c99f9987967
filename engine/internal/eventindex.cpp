#include "engine/internal/eventindex.h"

#include "engine/internal/progressphase.h"
#include "script/eventline.h"

namespace nosk::engine {

void IndexEvents(Host& host, script::TSubtitleFile& script) {
  ProgressPhase phase(host);
  phase.Start(script::MessageId::IndexingPhase);
  const std::int32_t lineCount = script.LineCount();
  std::vector<std::int32_t> eventIndex;
  bool inEvents = false;
  for (std::int32_t i = 0; i < lineCount; ++i) {
    phase.Advance(i, lineCount);
    const std::string_view line = script.GetLine(i);
    if (!inEvents) {
      inEvents = line.starts_with("[Events]");
    } else if (line.starts_with("[Fonts]")) {
      inEvents = false;
    } else if (script::IsEventLine(line, false)) {
      eventIndex.push_back(i);
    }
  }
  script.SetEventIndex(std::move(eventIndex));
}

}  // namespace nosk::engine
