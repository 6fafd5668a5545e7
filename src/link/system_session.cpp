// The session over this machine's real serial ports; kept apart so that tests, which bring their
// own ports, do not pull in the platform's port code.
#include "link/serial_session.h"
#include "platform/serial_port_enumeration.h"

namespace trel {

SessionDependencies SystemSessionDependencies() {
  return {.openPort = OpenSerialPort, .enumeratePorts = EnumerateSerialPorts, .timings = {}};
}

SerialSession::SerialSession() : SerialSession(SystemSessionDependencies()) {}

}  // namespace trel
