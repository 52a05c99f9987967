#include "engine/internal/progressphase.h"

namespace nosk::engine {

ProgressPhase::ProgressPhase(Host& host) : host_(host) { host_.BeginProgress(); }

ProgressPhase::~ProgressPhase() { host_.EndProgress(); }

void ProgressPhase::Start(script::MessageId statusText) {
  position_ = 0;
  total_ = -1;
  host_.SetProgressPosition(0);
  host_.SetStatusText(script::Message(statusText));
  host_.Repaint();
}

void ProgressPhase::Raise(std::int64_t done, std::int64_t total) {
  if (total <= 0) return;
  const std::int64_t percent = done * 100 / total;
  if (percent > position_) {
    position_ = static_cast<int>(percent);
    host_.SetProgressPosition(position_);
  }
  total_ = total;
  nextDone_ =
      ((position_ + 1) * total + 99) / 100;  // the least done with done*100/total > position
}

}  // namespace nosk::engine
