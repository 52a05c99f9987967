// What a run needs of the program that shows it: the window, or the command line.
#pragma once

#include <string_view>

namespace nosk::script {

// The status text, the progress bar, a forced repaint and modal messages. The engine never asks
// the user anything itself; it reports here and the host decides how to show it.
class Host {
 public:
  virtual ~Host() = default;

  virtual void SetStatusText(std::string_view text) = 0;
  // Empties the status text.
  virtual void ClearStatusText() = 0;
  // Empties the status text and shows the progress bar.
  virtual void BeginProgress() = 0;
  // Empties the status text, sets the position to 0 and hides the progress bar.
  virtual void EndProgress() = 0;
  // Position 0 to 100; 99 and above show a full bar.
  virtual void SetProgressPosition(int position) = 0;
  // Paints the whole window at once, without running the event loop.
  virtual void Repaint() = 0;
  // A modal message with an OK button.
  virtual void ShowMessage(std::string_view title, std::string_view text) = 0;
  // A note that needs no answer and must be seen while the run goes on ("waiting for another
  // Nosk run on FOLDER").
  virtual void ShowNotice(std::string_view text) = 0;
};

}  // namespace nosk::script
