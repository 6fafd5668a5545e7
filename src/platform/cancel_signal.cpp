#include "platform/cancel_signal.h"

namespace trel {

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
