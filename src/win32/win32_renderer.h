#pragma once

#include <memory>

#include "app/renderer.h"
#include "win32/win32_operator_dialogs.h"

namespace trel {

class Win32MainWindow;

// The window drawn with Win32's own controls.
class Win32Renderer : public Renderer {
 public:
  Win32Renderer();
  ~Win32Renderer() override;

  WindowScreen& mainWindow() override;
  OperatorDialogs& dialogs() override { return dialogs_; }
  void runModal() override;

 private:
  Win32OperatorDialogs dialogs_;
  std::unique_ptr<Win32MainWindow> window_;
};

}  // namespace trel
