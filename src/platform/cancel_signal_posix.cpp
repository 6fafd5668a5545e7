#include "platform/cancel_signal_posix.h"

#include <fcntl.h>
#include <unistd.h>

namespace trel {

CancelSignal::Round::Round() {
  int ends[2] = {-1, -1};
  if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) == 0) {
    readFd_ = ends[0];
    writeFd_ = ends[1];
  }
}

CancelSignal::Round::~Round() {
  for (const int fd : {readFd_, writeFd_}) {
    if (fd >= 0) {
      ::close(fd);
    }
  }
}

void CancelSignal::Round::fire() const {
  if (writeFd_ < 0) {
    return;
  }
  const char wake = 1;
  // A round is fired once; a full pipe would be readable already.
  [[maybe_unused]] const auto written = ::write(writeFd_, &wake, 1);
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
