#include "cli/terminalhost.h"

#include <algorithm>

namespace nosk::cli {

TerminalHost::TerminalHost(std::FILE* terminal, bool progressLine)
    : terminal_(terminal), progressLine_(progressLine) {}

void TerminalHost::SetStatusText(const script::Message& text) {
  statusText_ = script::English(text);
  Draw(false);
}

void TerminalHost::BeginProgress() { statusText_.clear(); }

void TerminalHost::EndProgress() {
  statusText_.clear();
  position_ = 0;
}

void TerminalHost::SetProgressPosition(int position) {
  position_ = std::clamp(position, 0, 100);
  Draw(false);
}

void TerminalHost::Repaint() { Draw(true); }

void TerminalHost::ShowNotice(const script::Message& text) {
  ClearLine();
  std::fprintf(terminal_, "nosk-cli: %s\n", script::English(text).c_str());
  std::fflush(terminal_);
}

void TerminalHost::SetFileNumber(int number, int count) {
  fileNumber_ = number;
  fileCount_ = count;
}

void TerminalHost::Draw(bool force) {
  if (!progressLine_ || statusText_.empty()) return;
  // Ten redraws a second are plenty to watch, and cost nothing next to the run.
  const auto now = std::chrono::steady_clock::now();
  if (!force && now - lastDraw_ < std::chrono::milliseconds(100)) return;
  lastDraw_ = now;
  std::fputs("\r\x1b[K", terminal_);
  // Runs that do not go through a file list (undo) have no file number to show.
  // The percentage is the run's: the scripts done and how far this one's phase has come.
  int percent = std::min(position_, 100);
  if (fileCount_ > 0) {
    std::fprintf(terminal_, "[%d/%d] ", fileNumber_, fileCount_);
    const long long done = static_cast<long long>(std::max(fileNumber_ - 1, 0)) * 100 + percent;
    percent = static_cast<int>(std::min<long long>(done / fileCount_, 100));
  }
  std::fprintf(terminal_, "%s %d%%", statusText_.c_str(), percent);
  std::fflush(terminal_);
  lineShown_ = true;
}

void TerminalHost::ClearLine() {
  if (!lineShown_) return;
  std::fputs("\r\x1b[K", terminal_);
  std::fflush(terminal_);
  lineShown_ = false;
}

}  // namespace nosk::cli
