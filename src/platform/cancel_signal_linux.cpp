#include "platform/cancel_signal_linux.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace trel {

CancelSignal::Round::Round() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

CancelSignal::Round::~Round() {
  if (fd_ >= 0) {
    ::close(fd_);
  }
}

void CancelSignal::Round::fire() const {
  if (fd_ < 0) {
    return;
  }
  const std::uint64_t one = 1;
  // The counter only needs to become non-zero; a full counter is readable already.
  [[maybe_unused]] const auto written = ::write(fd_, &one, sizeof one);
}

CancelSignal::CancelSignal() : round_(std::make_shared<Round>()) {}

std::shared_ptr<const CancelSignal::Round> CancelSignal::current() const {
  std::lock_guard lock(mutex_);
  return round_;
}

void CancelSignal::fire() {
  std::lock_guard lock(mutex_);
  round_->fire();
  round_ = std::make_shared<Round>();
}

}  // namespace trel
