#include "platform/local_time.h"

namespace trel {

std::tm LocalTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  localtime_r(&now, &parts);
  return parts;
}

}  // namespace trel
