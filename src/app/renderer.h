#pragma once

namespace trel {

class OperatorDialogs;
class WindowScreen;

// A toolkit that draws the window: its main window, its modal dialogs and its event loop.
class Renderer {
 public:
  virtual ~Renderer() = default;
  // The main window, made on the first call; its controls come from CquilUpdateDlg.
  virtual WindowScreen& mainWindow() = 0;
  // Boxes and file dialogs, over the main window once it exists.
  virtual OperatorDialogs& dialogs() = 0;
  // Shows the main window and runs the event loop until the window is closed.
  virtual void runModal() = 0;
};

}  // namespace trel
