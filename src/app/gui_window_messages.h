#pragma once

#include <QObject>
#include <functional>

#include "platform/window_messages.h"

namespace trel {

// Hands each message posted by the engine's threads to the window's message handler, later, on the
// UI thread. Posts that arrive after the window is gone are dropped.
class GuiWindowMessages : public WindowMessages {
 public:
  using Handler =
      std::function<void(unsigned message, std::uintptr_t wParam, std::intptr_t lParam)>;

  GuiWindowMessages(QObject* window, Handler handler)
      : window_(window), handler_(std::move(handler)) {}

  void post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;

 private:
  QObject* window_;
  Handler handler_;
};

}  // namespace trel
