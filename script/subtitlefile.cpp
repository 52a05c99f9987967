#include "script/subtitlefile.h"

#include <algorithm>

#include "script/bytescan.h"

namespace nosk::script {

void TSubtitleFile::AddLine(std::string_view text) {
  bytes_.Append(text);
  lineEnds_.push_back(bytes_.size());
  eventIndex_.clear();
}

void TSubtitleFile::AddText(ByteBuffer&& text,
                            const std::function<void(std::size_t bytesDone)>& afterEachLine) {
  const std::size_t base = bytes_.size();
  if (base == 0) {
    bytes_ = std::move(text);
  } else {
    bytes_.Append(text.view());
  }
  CutLines(base, afterEachLine);
}

void TSubtitleFile::AddText(std::string_view text) {
  const std::size_t base = bytes_.size();
  bytes_.Append(text);
  CutLines(base, {});
}

void TSubtitleFile::CutLines(std::size_t base,
                             const std::function<void(std::size_t bytesDone)>& afterEachLine) {
  eventIndex_.clear();
  const std::string_view added = bytes_.view().substr(base);
  // Room for lines of 24 bytes and more (event lines are longer) at once: growing by doubling
  // would copy the line ends of a large script many times, into pages it faults again. What is
  // reserved and not used is never touched, so it costs no memory.
  lineEnds_.reserve(lineEnds_.size() + added.size() / 24 + 2);
  // The line ends are found a block at a time, and progress told after each block: no one sees
  // finer steps, and a call per line of a large script costs more than the cutting.
  constexpr std::size_t kProgressStep = 64 * 1024;
  const std::size_t step = afterEachLine ? kProgressStep : added.size();
  for (std::size_t done = 0; done < added.size();) {
    const std::size_t block = std::min(step, added.size() - done);
    AppendLineEnds(added.substr(done, block), base + done, lineEnds_);
    done += block;
    if (afterEachLine) afterEachLine(done);
  }
  // The last line: what follows the last LF, empty when the text ends with one.
  lineEnds_.push_back(base + added.size());
  if (afterEachLine && added.empty()) afterEachLine(0);
}

std::string_view TSubtitleFile::GetLine(std::int32_t i) const {
  return bytes_.view().substr(LineStart(i), lineEnds_[i] - LineStart(i));
}

std::string_view TSubtitleFile::GetLines(std::int32_t first, std::int32_t last) const {
  if (first >= last) return {};
  return bytes_.view().substr(LineStart(first), lineEnds_[last - 1] - LineStart(first));
}

void TSubtitleFile::SetEventIndex(std::vector<std::int32_t> eventIndex,
                                  std::vector<EventFormat> formats,
                                  std::vector<std::uint16_t> formatOfEvent) {
  eventIndex_ = std::move(eventIndex);
  formats_ = std::move(formats);
  formatOfEvent_ = std::move(formatOfEvent);
}

void TSubtitleFile::RetainEvents(const std::function<bool(std::int32_t k)>& keep) {
  std::size_t kept = 0;
  for (std::size_t k = 0; k < eventIndex_.size(); ++k) {
    if (!keep(static_cast<std::int32_t>(k))) continue;
    eventIndex_[kept] = eventIndex_[k];
    if (!formatOfEvent_.empty()) formatOfEvent_[kept] = formatOfEvent_[k];
    ++kept;
  }
  eventIndex_.resize(kept);
  if (!formatOfEvent_.empty()) formatOfEvent_.resize(kept);
}

const EventFormat& TSubtitleFile::EventFormatOf(std::int32_t k) const {
  if (formats_.empty()) return EventFormat::Standard();
  if (formatOfEvent_.empty()) return formats_.front();
  return formats_[formatOfEvent_[static_cast<std::size_t>(k)]];
}

std::string_view TSubtitleFile::GetEventLine(std::int32_t k) const {
  return GetLine(eventIndex_[k]);
}

}  // namespace nosk::script
