#include "engine/internal/eventindex.h"

#include <algorithm>
#include <optional>

#include "engine/internal/progressphase.h"
#include "script/eventline.h"

namespace nosk::engine {

void IndexEvents(Host& host, script::TSubtitleFile& script) {
  ProgressPhase phase(host);
  phase.Start(script::MessageId::IndexingPhase);
  const std::int32_t lineCount = script.LineCount();
  std::vector<std::int32_t> eventIndex;
  // The formats met; each section starts with the standard one, until its Format line.
  std::vector<script::EventFormat> formats = {script::EventFormat::Standard()};
  std::vector<std::uint16_t> formatOfEvent;
  // At most one event per line: reserved at once, the untouched rest costs no memory, and no
  // growth copies the index of a large script again and again.
  eventIndex.reserve(static_cast<std::size_t>(lineCount));
  formatOfEvent.reserve(static_cast<std::size_t>(lineCount));
  std::uint16_t current = 0;
  bool inEvents = false;
  for (std::int32_t i = 0; i < lineCount; ++i) {
    phase.Advance(i, lineCount);
    const std::string_view line = script.GetLine(i);
    if (!inEvents) {
      inEvents = line.starts_with("[Events]");
      current = 0;
    } else if (line.starts_with("[Fonts]")) {
      inEvents = false;
    } else if (line.starts_with("Format:")) {
      if (std::optional<script::EventFormat> format = script::EventFormat::FromLine(line)) {
        const auto known = std::find(formats.begin(), formats.end(), *format);
        current = static_cast<std::uint16_t>(known - formats.begin());
        if (known == formats.end() && formats.size() < 0xFFFF)
          formats.push_back(std::move(*format));
        if (current >= formats.size()) current = 0;
      }
    } else if (current == 0 ? script::IsEventLine(line, false)
                            : script::IsEventLine(line, false, formats[current])) {
      eventIndex.push_back(i);
      formatOfEvent.push_back(current);
    }
  }
  // Most scripts have one format: the events need no format each then.
  const bool oneFormat = std::all_of(formatOfEvent.begin(), formatOfEvent.end(),
                                     [&](std::uint16_t f) { return f == formatOfEvent.front(); });
  if (oneFormat) {
    const std::uint16_t only = formatOfEvent.empty() ? 0 : formatOfEvent.front();
    script.SetEventIndex(std::move(eventIndex), {formats[only]}, {});
  } else {
    script.SetEventIndex(std::move(eventIndex), std::move(formats), std::move(formatOfEvent));
  }
}

}  // namespace nosk::engine
