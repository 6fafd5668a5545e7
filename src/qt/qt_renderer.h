#pragma once

#include <memory>

#include "app/renderer.h"
#include "qt/qt_operator_dialogs.h"

namespace trel {

class QtMainWindow;

// The window drawn with Qt Widgets.
class QtRenderer : public Renderer {
 public:
  QtRenderer();
  ~QtRenderer() override;

  WindowScreen& mainWindow() override;
  OperatorDialogs& dialogs() override { return dialogs_; }
  void runModal() override;

 private:
  QtOperatorDialogs dialogs_{nullptr};
  std::unique_ptr<QtMainWindow> window_;
};

}  // namespace trel
