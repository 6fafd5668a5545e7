#pragma once

#include <cstdint>

#include "platform/serial_port.h"

namespace trel {

// Puts a termios descriptor into the raw 8N1 mode without flow control that the printer link uses,
// with DTR dropped. Without `line` the baud rate and stop bits stay as the driver has them.
bool ConfigureRawLine(int fd, const SerialLineSettings* line);

// The termios speed used for a baud rate: the supported rate nearest to it.
std::uint32_t SupportedBaudRate(std::uint32_t requested);

}  // namespace trel
