#include "platform/posix_serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <utility>

namespace trel {
namespace {

struct BaudEntry {
  std::uint32_t rate;
  speed_t speed;
};

constexpr std::array<BaudEntry, 11> kBaudRates{{{1200, B1200},
                                                {2400, B2400},
                                                {4800, B4800},
                                                {9600, B9600},
                                                {19200, B19200},
                                                {38400, B38400},
                                                {57600, B57600},
                                                {115200, B115200},
                                                {230400, B230400},
                                                {460800, B460800},
                                                {921600, B921600}}};

const BaudEntry& NearestBaud(std::uint32_t requested) {
  const auto distance = [requested](const BaudEntry& entry) {
    return entry.rate > requested ? entry.rate - requested : requested - entry.rate;
  };
  return *std::min_element(
      kBaudRates.begin(), kBaudRates.end(),
      [&](const BaudEntry& a, const BaudEntry& b) { return distance(a) < distance(b); });
}

// Stop-bit code 1 (one and a half) has no termios form; two is the closer of the two choices.
bool UsesTwoStopBits(int stopBitsCode) {
  return stopBitsCode == 1 || stopBitsCode == 2;
}

void DropDtr(int fd) {
  int dtr = TIOCM_DTR;
  // Pseudo-terminals have no modem lines and answer ENOTTY or EINVAL; nothing to drop there.
  [[maybe_unused]] const int result = ::ioctl(fd, TIOCMBIC, &dtr);
}

int RemainingMs(std::chrono::steady_clock::time_point deadline) {
  const auto left =
      std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
  return static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(left.count(), 0, 1 << 30));
}

}  // namespace

std::uint32_t SupportedBaudRate(std::uint32_t requested) {
  return NearestBaud(requested).rate;
}

bool ConfigureRawLine(int fd, const SerialLineSettings* line) {
  termios settings{};
  if (::tcgetattr(fd, &settings) != 0) {
    return false;
  }
  ::cfmakeraw(&settings);
  settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CRTSCTS | HUPCL);
  settings.c_cflag |= CS8 | CLOCAL | CREAD;
  settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  // With VMIN 0 a read of an empty queue returns 0, like the end of the line; with VMIN 1 and
  // O_NONBLOCK it fails with EAGAIN, so 0 can only mean the line is gone.
  settings.c_cc[VMIN] = 1;
  settings.c_cc[VTIME] = 0;
  if (line != nullptr) {
    const speed_t speed = NearestBaud(line->baudRate).speed;
    ::cfsetispeed(&settings, speed);
    ::cfsetospeed(&settings, speed);
    if (UsesTwoStopBits(line->stopBitsCode)) {
      settings.c_cflag |= CSTOPB;
    } else {
      settings.c_cflag &= ~static_cast<tcflag_t>(CSTOPB);
    }
  }
  if (::tcsetattr(fd, TCSANOW, &settings) != 0) {
    return false;
  }
  DropDtr(fd);
  return true;
}

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
