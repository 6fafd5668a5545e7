#include "platform/serial_line_posix.h"

#include <sys/ioctl.h>
#include <termios.h>

#include <algorithm>
#include <array>

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

}  // namespace trel
