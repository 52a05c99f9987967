#include "script/progressphase.h"

namespace nosk::script {

ProgressPhase::ProgressPhase(Host& host) : host_(host) { host_.BeginProgress(); }

ProgressPhase::~ProgressPhase() { host_.EndProgress(); }

void ProgressPhase::Start(std::string_view statusText) {
  position_ = 0;
  host_.SetProgressPosition(0);
  host_.SetStatusText(statusText);
  host_.Repaint();
}

void ProgressPhase::Advance(std::int64_t done, std::int64_t total) {
  if (total <= 0) return;
  const std::int64_t percent = done * 100 / total;
  if (percent > position_) {
    position_ = static_cast<int>(percent);
    host_.SetProgressPosition(position_);
  }
}

}  // namespace nosk::script
