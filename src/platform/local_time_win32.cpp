#include <windows.h>

#include "platform/local_time.h"

namespace trel {

std::tm LocalTimeNow() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  std::tm parts{};
  parts.tm_year = now.wYear - 1900;
  parts.tm_mon = now.wMonth - 1;
  parts.tm_mday = now.wDay;
  parts.tm_hour = now.wHour;
  parts.tm_min = now.wMinute;
  parts.tm_sec = now.wSecond;
  parts.tm_wday = now.wDayOfWeek;
  return parts;
}

}  // namespace trel
