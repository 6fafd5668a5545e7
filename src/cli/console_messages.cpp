#include "cli/console_messages.h"

namespace trel {

void ConsoleMessages::post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  queue_.post({message, wParam, lParam});
}

}  // namespace trel
