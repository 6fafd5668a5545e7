#include "platform/serial_port_io_posix.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <mutex>
#include <utility>

#include "platform/serial_line_posix.h"

namespace trel {
namespace {

int RemainingMs(std::chrono::steady_clock::time_point deadline) {
  const auto left =
      std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
  return static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(left.count(), 0, 1 << 30));
}

}  // namespace

PosixSerialPort::PosixSerialPort(int fd) : fd_(fd) {}

PosixSerialPort::~PosixSerialPort() {
  close();
}

std::shared_lock<std::shared_mutex> PosixSerialPort::lockIfOpen() const {
  // Once closing has begun no new user takes the lock, so close() is never starved by a loop.
  if (closed_) {
    return {};
  }
  std::shared_lock lock(fdLock_);
  if (fd_ < 0) {
    return {};
  }
  return lock;
}

// Driver queues are the kernel's business on POSIX.
bool PosixSerialPort::setupComm(std::uint32_t, std::uint32_t) {
  return !closed_;
}

// Every wait here is bounded by the limit its caller passes, so the comm time-outs change nothing.
bool PosixSerialPort::setTimeouts(const SerialTimeouts&) {
  return !closed_;
}

bool PosixSerialPort::setLine(const SerialLineSettings& line) {
  const auto lock = lockIfOpen();
  return lock && ConfigureRawLine(fd_, &line);
}

bool PosixSerialPort::purge() {
  const auto lock = lockIfOpen();
  return lock && ::tcflush(fd_, TCIOFLUSH) == 0;
}

int PosixSerialPort::queuedInputLocked() const {
  int queued = 0;
  if (::ioctl(fd_, FIONREAD, &queued) != 0) {
    return -1;
  }
  return queued;
}

int PosixSerialPort::queuedInput() {
  const auto lock = lockIfOpen();
  return lock ? queuedInputLocked() : -1;
}

PosixSerialPort::PollResult PosixSerialPort::pollUntil(
    short events, std::chrono::steady_clock::time_point deadline) const {
  const auto round = cancel_.current();
  if (closed_) {
    return PollResult::kFailed;
  }
  std::array<pollfd, 2> fds{{{fd_, events, 0}, {round->handle(), POLLIN, 0}}};
  for (;;) {
    const int ready = ::poll(fds.data(), fds.size(), RemainingMs(deadline));
    if (ready < 0 && errno == EINTR) {
      continue;
    }
    if (ready < 0) {
      return PollResult::kFailed;
    }
    if (fds[1].revents != 0) {
      return closed_ ? PollResult::kFailed : PollResult::kCancelled;
    }
    if ((fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
      return PollResult::kFailed;  // the far end is gone or the device failed
    }
    if ((fds[0].revents & events) != 0) {
      return PollResult::kReady;
    }
    if (ready == 0) {
      return PollResult::kTimedOut;
    }
  }
}

int PosixSerialPort::waitForInput(std::chrono::milliseconds limit) {
  const auto lock = lockIfOpen();
  if (!lock) {
    return -1;
  }
  switch (pollUntil(POLLIN, std::chrono::steady_clock::now() + limit)) {
    case PollResult::kReady:
      return 1;
    case PollResult::kTimedOut:
    case PollResult::kCancelled:
      return 0;
    case PollResult::kFailed:
      break;
  }
  // A hang-up can come with the last bytes still queued: hand those over first.
  return !closed_ && queuedInputLocked() > 0 ? 1 : -1;
}

long PosixSerialPort::read(std::uint8_t* buffer, std::size_t count) {
  const auto lock = lockIfOpen();
  if (!lock) {
    return -1;
  }
  if (count == 0) {
    return 0;
  }
  for (;;) {
    const ssize_t got = ::read(fd_, buffer, count);
    if (got > 0) {
      return static_cast<long>(got);
    }
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      return 0;
    }
    return -1;  // end of file (hang-up) or a device error
  }
}

bool PosixSerialPort::write(const std::uint8_t* bytes, std::size_t count,
                            std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  const auto lock = lockIfOpen();
  if (!lock) {
    return false;
  }
  std::size_t sent = 0;
  while (sent < count) {
    const ssize_t put = ::write(fd_, bytes + sent, count - sent);
    if (put > 0) {
      sent += static_cast<std::size_t>(put);
      continue;
    }
    if (put < 0 && errno == EINTR) {
      continue;
    }
    if (put < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
      return false;
    }
    if (pollUntil(POLLOUT, deadline) != PollResult::kReady) {
      return false;
    }
  }
  return true;
}

void PosixSerialPort::cancelIo() {
  cancel_.fire();
}

void PosixSerialPort::close() {
  if (closed_.exchange(true)) {
    return;
  }
  cancel_.fire();
  std::unique_lock lock(fdLock_);
  // The exclusive flag outlives our descriptor while anyone else holds the line open (a printer
  // simulator does), and would then refuse the next job's open: release it first.
  [[maybe_unused]] const int released = ::ioctl(fd_, TIOCNXCL);
  ::close(std::exchange(fd_, -1));
}

}  // namespace trel
