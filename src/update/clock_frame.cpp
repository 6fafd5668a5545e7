#include "update/clock_frame.h"

#include "platform/local_time.h"

namespace trel {

LocalTime CurrentLocalTime() {
  const std::tm parts = LocalTimeNow();
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
          parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

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
