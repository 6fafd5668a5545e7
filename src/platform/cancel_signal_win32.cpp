#include <windows.h>

#include "platform/cancel_signal.h"

namespace trel {

CancelSignal::Round::Round() : handle_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

CancelSignal::Round::~Round() {
  if (handle_ != nullptr) {
    ::CloseHandle(handle_);
  }
}

void CancelSignal::Round::fire() const {
  if (handle_ != nullptr) {
    ::SetEvent(handle_);
  }
}

}  // namespace trel
