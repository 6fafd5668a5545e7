#pragma once

#include <cstdint>

#include "update/frame.h"

namespace trel {

// A moment of local time as the clock frame carries it.
struct LocalTime {
  int year = 2000;
  int month = 1;  // 1..12
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

LocalTime CurrentLocalTime();

// Tens in the high nibble, units in the low one: 25 gives 0x25. Values are taken modulo 100.
std::uint8_t ToBcd(int value);

// The frame that sets the printer's clock and asks for its firmware word: command 6, the year
// modulo 100 as argument, then month, day, hour, minute, second and a 0 byte, all in BCD.
Frame BuildClockFrame(const LocalTime& time, std::uint8_t counter, bool reboot);

}  // namespace trel
