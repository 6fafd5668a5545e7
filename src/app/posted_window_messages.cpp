#include "app/posted_window_messages.h"

#include "app/window_screen.h"

namespace trel {

void PostedWindowMessages::post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  screen_.post([handler = handler_, message, wParam, lParam] { handler(message, wParam, lParam); });
}

}  // namespace trel
