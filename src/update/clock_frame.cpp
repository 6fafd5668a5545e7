#include "update/clock_frame.h"

namespace trel {

std::uint8_t ToBcd(int value) {
  const int twoDigits = ((value % 100) + 100) % 100;
  return static_cast<std::uint8_t>(((twoDigits / 10) << 4) | (twoDigits % 10));
}

Frame BuildClockFrame(const LocalTime& time, std::uint8_t counter, bool reboot) {
  const std::uint8_t payload[] = {ToBcd(time.month),  ToBcd(time.day),    ToBcd(time.hour),
                                  ToBcd(time.minute), ToBcd(time.second), 0};
  return BuildFrame(counter, kCommandClock, ToBcd(time.year), payload, reboot);
}

}  // namespace trel
