// One phase of work on one script (reading, indexing, searching, writing) as the host shows it.
#pragma once

#include <cstdint>

#include "engine/host.h"
#include "script/message.h"

namespace nosk::engine {

// Begins progress when made and ends it when destroyed, so that every way out of a phase, a
// failure or a message box included, leaves the bar hidden at 0 and the status text empty.
class ProgressPhase {
 public:
  explicit ProgressPhase(Host& host);
  ~ProgressPhase();
  ProgressPhase(const ProgressPhase&) = delete;
  ProgressPhase& operator=(const ProgressPhase&) = delete;

  // Position 0, the phase's status text, and a repaint so that the text shows while the phase
  // holds the GUI thread.
  void Start(script::MessageId statusText);
  // Raises the position to done * 100 / total when that is higher: it never moves back, so it
  // changes at most 100 times per phase. Called for every unit of a phase, so the common case,
  // no change, is one comparison here.
  void Advance(std::int64_t done, std::int64_t total) {
    if (total != total_ || done >= nextDone_) Raise(done, total);
  }

 private:
  void Raise(std::int64_t done, std::int64_t total);

  Host& host_;
  int position_ = 0;
  std::int64_t total_ = -1;    // the total that nextDone_ was worked out for
  std::int64_t nextDone_ = 0;  // the least `done` that raises the position
};

}  // namespace nosk::engine
