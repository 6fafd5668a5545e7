#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/serial_device_path_posix.h"
#include "platform/serial_line_posix.h"
#include "platform/serial_port.h"
#include "platform/serial_port_io_posix.h"

namespace trel {
namespace {

SerialOpenResult Failure(SerialOpenError error, std::string message) {
  return SerialOpenResult{nullptr, error, std::move(message)};
}

SerialOpenResult FailureFromErrno(int error, const std::string& path) {
  switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return Failure(SerialOpenError::kNotFound, path + ": no such port");
    case EACCES:
    case EPERM:
      return Failure(SerialOpenError::kPermissionDenied,
                     path +
                         ": permission denied; add your user to the dialout group "
                         "(sudo usermod -aG dialout $USER), then log in again");
    case EBUSY:
    case EWOULDBLOCK:
      return Failure(SerialOpenError::kBusy, path + ": in use by another program");
    default:
      return Failure(SerialOpenError::kOther, path + ": " + std::strerror(error));
  }
}

// TIOCEXCL keeps other openers out, except those with administrator rights; the advisory lock
// also stops a second open by such a user, or by this very process.
int ClaimExclusively(int fd) {
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    return errno;
  }
  if (::ioctl(fd, TIOCEXCL) != 0 && errno != ENOTTY && errno != EINVAL) {
    return errno;
  }
  return 0;
}

}  // namespace

const char* const kSerialPortNaming = "Serial port: a path, or a name looked up in /dev";

SerialOpenResult OpenSerialPort(const std::string& name) {
  if (name.empty()) {
    return Failure(SerialOpenError::kNotFound, "no port chosen");
  }
  const std::string path = SerialDevicePath(name).string();
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    return FailureFromErrno(errno, path);
  }
  if (!::isatty(fd)) {
    ::close(fd);
    return Failure(SerialOpenError::kOther, path + ": not a serial port");
  }
  if (const int error = ClaimExclusively(fd); error != 0) {
    ::close(fd);
    return FailureFromErrno(error, path);
  }
  auto port = std::make_unique<PosixSerialPort>(fd);
  if (!ConfigureRawLine(fd, nullptr)) {
    const int error = errno;
    port->close();
    return FailureFromErrno(error, path);
  }
  return SerialOpenResult{std::move(port), SerialOpenError::kNone, {}};
}

}  // namespace trel
