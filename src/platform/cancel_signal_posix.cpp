#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

#include "platform/cancel_signal.h"

namespace trel {

CancelSignal::Round::Round() : handle_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

CancelSignal::Round::~Round() {
  if (handle_ >= 0) {
    ::close(handle_);
  }
}

void CancelSignal::Round::fire() const {
  if (handle_ < 0) {
    return;
  }
  const std::uint64_t one = 1;
  // The counter only needs to become non-zero; a full counter is readable already.
  [[maybe_unused]] const auto written = ::write(handle_, &one, sizeof one);
}

}  // namespace trel
