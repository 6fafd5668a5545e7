#pragma once

#include <filesystem>
#include <vector>

#include "platform/serial_port_enumeration.h"

namespace trel {

// The serial ports that the sysfs tree below `sysfsRoot` describes, in natural order of their
// names. EnumerateSerialPorts() reads the machine's own tree, /sys, or the tree that
// $TREL_SYSFS_ROOT names, so that a test can show a whole program a made-up machine.
std::vector<SerialPortInfo> EnumerateSerialPortsBelow(const std::filesystem::path& sysfsRoot);

}  // namespace trel
