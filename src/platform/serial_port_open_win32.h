#pragma once

#include <string>

#include "platform/serial_port.h"

namespace trel {

// The device path CreateFileW opens for a port name: a bare name goes into the device namespace
// ("com5" is \\.\com5), where COM ports above 9 exist too; a name already in it stays.
std::wstring ComDevicePath(const std::string& name);

// A failed open, its cause kept: a missing port, a port in use (Windows reports a port that
// another program holds as access denied), a device that is no serial port, or the system's words.
SerialOpenResult OpenFailure(unsigned long error, const std::string& name);

// Whether another program holds the port open: it is opened for an instant, its settings left
// alone, and refused as in use.
bool HeldByAnotherProgram(const std::string& name);

}  // namespace trel
