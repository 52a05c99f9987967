// The command line's host: the status and progress of a run on stderr, only when stderr is a
// terminal, and the notes of a waiting run.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

#include "engine/host.h"

namespace nosk::cli {

class TerminalHost : public engine::Host {
 public:
  // `progressLine`: draw a progress line on `terminal` (stderr when it is a terminal).
  TerminalHost(std::FILE* terminal, bool progressLine);

  void SetStatusText(const script::Message& text) override;
  void BeginProgress() override;
  void EndProgress() override;
  void SetProgressPosition(int position) override;
  void Repaint() override;
  // A line on the terminal at once.
  void ShowNotice(const script::Message& text) override;

  // The file the run is at, for the progress line.
  void SetFileNumber(int number, int count);
  // Removes the progress line, so that other output starts on a clean line.
  void ClearLine();

 private:
  void Draw(bool force);

  std::FILE* terminal_;
  bool progressLine_;
  bool lineShown_ = false;
  std::string statusText_;
  int position_ = 0;
  int fileNumber_ = 0;
  int fileCount_ = 0;
  std::chrono::steady_clock::time_point lastDraw_{};
};

}  // namespace nosk::cli
