#pragma once

#include <functional>

#include "platform/window_messages.h"

namespace trel {

class WindowScreen;

// Hands each message posted by the engine's threads to the window's message handler, later, on the
// UI thread. The window stops every thread that posts before it goes.
class PostedWindowMessages : public WindowMessages {
 public:
  using Handler =
      std::function<void(unsigned message, std::uintptr_t wParam, std::intptr_t lParam)>;

  PostedWindowMessages(WindowScreen& screen, Handler handler)
      : screen_(screen), handler_(std::move(handler)) {}

  void post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;

 private:
  WindowScreen& screen_;
  Handler handler_;
};

}  // namespace trel
