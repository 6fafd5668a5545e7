#include "pseudo_terminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace printer_sim {
namespace {

void CloseIfOpen(int& fd) {
  if (fd >= 0) {
    ::close(std::exchange(fd, -1));
  }
}

bool MakeRaw(int fd) {
  termios settings{};
  if (::tcgetattr(fd, &settings) != 0) {
    return false;
  }
  ::cfmakeraw(&settings);
  settings.c_cflag |= CLOCAL | CREAD;
  return ::tcsetattr(fd, TCSANOW, &settings) == 0;
}

std::string Cause(const char* step) {
  return std::string(step) + ": " + std::strerror(errno);
}

}  // namespace

std::optional<PseudoTerminal> PseudoTerminal::Open(std::string& error) {
  int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0) {
    error = Cause("posix_openpt");
    return std::nullopt;
  }
  std::array<char, 128> name{};
  int portSide = -1;
  if (::fcntl(master, F_SETFD, FD_CLOEXEC) != 0 || ::grantpt(master) != 0 ||
      ::unlockpt(master) != 0 || ::ptsname_r(master, name.data(), name.size()) != 0) {
    error = Cause("pseudo-terminal set-up");
  } else if ((portSide = ::open(name.data(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) < 0) {
    error = Cause(name.data());
  } else if (!MakeRaw(portSide) || ::fcntl(master, F_SETFL, O_NONBLOCK) != 0) {
    error = Cause("raw mode");
  } else {
    return PseudoTerminal(master, portSide, name.data());
  }
  CloseIfOpen(portSide);
  CloseIfOpen(master);
  return std::nullopt;
}

PseudoTerminal::PseudoTerminal(PseudoTerminal&& other) noexcept
    : master_(std::exchange(other.master_, -1)),
      portSide_(std::exchange(other.portSide_, -1)),
      portPath_(std::move(other.portPath_)) {}

PseudoTerminal::~PseudoTerminal() {
  CloseIfOpen(portSide_);
  CloseIfOpen(master_);
}

void PseudoTerminal::hangUp() {
  // Our own descriptor of the port side would keep the line up.
  CloseIfOpen(portSide_);
  CloseIfOpen(master_);
}

}  // namespace printer_sim
