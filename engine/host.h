// What a run needs of the program that shows it: the window, or the command line.
#pragma once

#include "script/message.h"

namespace nosk::engine {

// The status text, the progress bar, a forced repaint, and notes while a run waits. The engine
// never asks the user anything itself: what it has to tell comes back in the run's outcome and
// in each script's result, and the host decides how to show it.
class Host {
 public:
  virtual ~Host() = default;

  virtual void SetStatusText(const script::Message& text) = 0;
  // Empties the status text and shows the progress bar.
  virtual void BeginProgress() = 0;
  // Empties the status text, sets the position to 0 and hides the progress bar.
  virtual void EndProgress() = 0;
  // Position 0 to 100; 99 and above show a full bar.
  virtual void SetProgressPosition(int position) = 0;
  // Paints the whole window at once, without running the event loop.
  virtual void Repaint() = 0;
  // A note that needs no answer and must be seen while the run goes on ("waiting for another
  // Nosk run on FOLDER").
  virtual void ShowNotice(const script::Message& text) = 0;
};

}  // namespace nosk::engine
