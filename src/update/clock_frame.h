#pragma once

#include <cstdint>

#include "platform/local_time.h"
#include "update/frame.h"

namespace trel {

// Tens in the high nibble, units in the low one: 25 gives 0x25. Values are taken modulo 100.
std::uint8_t ToBcd(int value);

// The frame that sets the printer's clock and asks for its firmware word: command 6, the year
// modulo 100 as argument, then month, day, hour, minute, second and a 0 byte, all in BCD.
Frame BuildClockFrame(const LocalTime& time, std::uint8_t counter, bool reboot);

}  // namespace trel
