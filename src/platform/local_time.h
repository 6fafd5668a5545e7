#pragma once

namespace trel {

// A moment of local time, as the machine's clock and time zone give it.
struct LocalTime {
  int year = 2000;
  int month = 1;  // 1..12
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

LocalTime CurrentLocalTime();

}  // namespace trel
