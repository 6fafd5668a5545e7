#include "app/gui_window_messages.h"

#include <QMetaObject>

namespace trel {

void GuiWindowMessages::post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  // The window is the call's context: Qt drops the call if the window is destroyed before it runs.
  QMetaObject::invokeMethod(
      window_, [handler = handler_, message, wParam, lParam] { handler(message, wParam, lParam); },
      Qt::QueuedConnection);
}

}  // namespace trel
