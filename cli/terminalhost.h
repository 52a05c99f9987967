// The command line's host: the status and progress of a run on stderr, only when stderr is a
// terminal, and the messages a run shows, kept for the end.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "script/host.h"

namespace nosk::cli {

class TerminalHost : public script::Host {
 public:
  // `progressLine`: draw a progress line on `terminal` (stderr when it is a terminal).
  TerminalHost(std::FILE* terminal, bool progressLine);

  void SetStatusText(std::string_view text) override;
  void ClearStatusText() override;
  void BeginProgress() override;
  void EndProgress() override;
  void SetProgressPosition(int position) override;
  void Repaint() override;
  // Kept for the end of the run, which prints them.
  void ShowMessage(std::string_view title, std::string_view text) override;
  // A line on the terminal at once.
  void ShowNotice(std::string_view text) override;

  const std::string& StatusText() const { return statusText_; }
  // The file the run is at, for the progress line.
  void SetFileNumber(int number, int count);
  // Removes the progress line, so that other output starts on a clean line.
  void ClearLine();
  std::vector<std::string> TakeMessages();

 private:
  void Draw(bool force);

  std::FILE* terminal_;
  bool progressLine_;
  bool lineShown_ = false;
  std::string statusText_;
  int position_ = 0;
  int fileNumber_ = 0;
  int fileCount_ = 0;
  std::vector<std::pair<std::string, std::string>> messages_;  // title, text
  std::chrono::steady_clock::time_point lastDraw_{};
};

}  // namespace nosk::cli
