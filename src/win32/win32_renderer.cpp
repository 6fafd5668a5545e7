#include "win32/win32_renderer.h"

#include <commctrl.h>

#include "win32/win32_main_window.h"

namespace trel {

Win32Renderer::Win32Renderer() {
  const INITCOMMONCONTROLSEX controls{
      sizeof(INITCOMMONCONTROLSEX),
      ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
}

Win32Renderer::~Win32Renderer() = default;

WindowScreen& Win32Renderer::mainWindow() {
  if (!window_) {
    window_ = std::make_unique<Win32MainWindow>();
  }
  return *window_;
}

void Win32Renderer::runModal() {
  if (window_) {
    dialogs_.setOwner(window_->window());
    window_->runModal();
  }
}

}  // namespace trel
