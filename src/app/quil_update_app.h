#pragma once

namespace trel {

class Renderer;

// The application object: makes the main window with the real link over the renderer's screen,
// runs it modally, and ends the process when it ends.
class CquilUpdateApp {
 public:
  // A start refused because another window works on the same tool folder.
  static constexpr int kAlreadyRunning = 1;

  explicit CquilUpdateApp(Renderer& renderer) : renderer_(renderer) {}

  // The process's exit code: 0 when the window ran and closed; -1 when the link could not start,
  // in which case no window is shown; kAlreadyRunning.
  int run();

 private:
  Renderer& renderer_;
};

}  // namespace trel
