#pragma once

namespace trel {

// The application object: makes the main window with the real link and dialogs, runs it modally,
// and ends the process when it ends.
class CquilUpdateApp {
 public:
  // The process's exit code: 0 when the window ran and closed; -1 when the link could not start,
  // in which case no window is shown.
  int run();
};

}  // namespace trel
