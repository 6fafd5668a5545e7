#include <fcntl.h>
#include <unistd.h>

#include "platform/cancel_signal.h"

namespace trel {

// A pipe: one byte written makes the reading end readable for good, since nobody reads it.
CancelSignal::Round::Round() : handle_(-1), signal_(-1) {
  int ends[2] = {-1, -1};
  if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) == 0) {
    handle_ = ends[0];
    signal_ = ends[1];
  }
}

CancelSignal::Round::~Round() {
  for (const int fd : {handle_, signal_}) {
    if (fd >= 0) {
      ::close(fd);
    }
  }
}

void CancelSignal::Round::fire() const {
  if (signal_ < 0) {
    return;
  }
  const char wake = 1;
  // A round is fired once; a full pipe would be readable already.
  [[maybe_unused]] const auto written = ::write(signal_, &wake, 1);
}

}  // namespace trel
