#include <windows.h>

#include "platform/cancel_signal.h"

namespace trel {

// A manual-reset event: once set it stays set, and every wait on it ends.
CancelSignal::Round::Round()
    : handle_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)), signal_(handle_) {}

CancelSignal::Round::~Round() {
  if (handle_ != nullptr) {
    ::CloseHandle(handle_);
  }
}

void CancelSignal::Round::fire() const {
  if (signal_ != nullptr) {
    ::SetEvent(signal_);
  }
}

}  // namespace trel
