#pragma once

#include <functional>

#include "app/ui_thread_queue.h"
#include "platform/window_messages.h"

namespace trel {

// Hands each message posted by the engine's threads to the window's message handler, later, on the
// UI thread. Posts that arrive after the window is gone are dropped.
class GuiWindowMessages : public WindowMessages {
 public:
  using Handler =
      std::function<void(unsigned message, std::uintptr_t wParam, std::intptr_t lParam)>;

  GuiWindowMessages(UiThreadQueue& uiThread, Handler handler)
      : uiThread_(uiThread), handler_(std::move(handler)) {}

  void post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;

 private:
  UiThreadQueue& uiThread_;
  Handler handler_;
};

}  // namespace trel
