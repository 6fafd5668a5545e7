#include "qt/qt_renderer.h"

#include "qt/qt_main_window.h"

namespace trel {

QtRenderer::QtRenderer() = default;
QtRenderer::~QtRenderer() = default;

WindowScreen& QtRenderer::mainWindow() {
  if (!window_) {
    window_ = std::make_unique<QtMainWindow>();
    dialogs_.setOwner(window_.get());
  }
  return *window_;
}

void QtRenderer::runModal() {
  if (window_) {
    window_->exec();
  }
}

}  // namespace trel
