// One loaded script: its physical lines, each with the terminator that ended it, and the index
// of its event lines.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "script/bytebuffer.h"
#include "script/eventformat.h"
#include "script/fileidentity.h"

namespace nosk::script {

// The lines are kept as the file's own bytes, one after another in one buffer, so that writing
// them back in order reproduces the file byte for byte and a run of lines is one slice of it.
class TSubtitleFile {
 public:
  // Appends one line (its terminator, if any, included). Discards the event index.
  void AddLine(std::string_view text);
  // Appends the lines of a whole text: each line runs through its LF, and the piece after the
  // last LF (empty when the text ends with LF, or is empty) is the last line. A buffer is taken
  // over without a copy when the file holds nothing yet. `afterEachLine`, when given, learns how
  // many bytes of the text have been cut into lines so far (every 64 KB or so, and at the end).
  // Discards the event index.
  void AddText(ByteBuffer&& text,
               const std::function<void(std::size_t bytesDone)>& afterEachLine = {});
  void AddText(std::string_view text);

  std::int32_t LineCount() const { return static_cast<std::int32_t>(lineEnds_.size()); }
  // Line i (0-based), terminator included.
  std::string_view GetLine(std::int32_t i) const;
  // Lines first to last - 1 as one piece of bytes.
  std::string_view GetLines(std::int32_t first, std::int32_t last) const;

  // Entry k is the line number of the k-th event line; ascending.
  const std::vector<std::int32_t>& EventIndex() const { return eventIndex_; }
  std::int32_t EventCount() const { return static_cast<std::int32_t>(eventIndex_.size()); }
  void SetEventIndex(std::vector<std::int32_t> eventIndex) {
    eventIndex_ = std::move(eventIndex);
    formats_.clear();
    formatOfEvent_.clear();
  }
  // The event index with the formats of its lines: event k is in formats[formatOfEvent[k]], or,
  // when `formatOfEvent` is empty, every event is in formats[0].
  void SetEventIndex(std::vector<std::int32_t> eventIndex, std::vector<EventFormat> formats,
                     std::vector<std::uint16_t> formatOfEvent);
  // Keeps, in order, only the events `keep` says yes to (by their present event numbers).
  void RetainEvents(const std::function<bool(std::int32_t k)>& keep);
  // The fields of event k, as the Format line before it names them (the standard ten without).
  const EventFormat& EventFormatOf(std::int32_t k) const;
  // The line of event k, for k from 0 to EventCount() - 1.
  std::string_view GetEventLine(std::int32_t k) const;

  // The identity of the file the lines were read from, when they were read from one.
  const FileIdentity& SourceIdentity() const { return sourceIdentity_; }
  void SetSourceIdentity(const FileIdentity& identity) { sourceIdentity_ = identity; }

 private:
  std::size_t LineStart(std::int32_t i) const { return i == 0 ? 0 : lineEnds_[i - 1]; }

  // Cuts the bytes from `base` on into lines.
  void CutLines(std::size_t base, const std::function<void(std::size_t bytesDone)>& afterEachLine);

  ByteBuffer bytes_;
  std::vector<std::size_t> lineEnds_;  // line i is bytes_[LineStart(i), lineEnds_[i])
  std::vector<std::int32_t> eventIndex_;
  std::vector<EventFormat> formats_;
  std::vector<std::uint16_t> formatOfEvent_;
  FileIdentity sourceIdentity_;
};

}  // namespace nosk::script
