#include "app/gui_window_messages.h"

namespace trel {

void GuiWindowMessages::post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  uiThread_.post(
      [handler = handler_, message, wParam, lParam] { handler(message, wParam, lParam); });
}

}  // namespace trel
