#pragma once

#include <cstdint>
#include <vector>

#include "link/printer_link.h"
#include "link/waitable_log.h"

namespace trel::testing {

// Keeps every burst the data callback is handed, whole (with the one extra byte).
class BurstCollector : public WaitableLog<std::vector<std::uint8_t>> {
 public:
  SerialDataCallback Callback() {
    return [this](std::uint32_t, std::uint32_t length, const std::uint8_t* bytes) {
      Add({bytes, bytes + length});
      return 1;
    };
  }
};

// The gathered bytes of a burst: all but the extra byte.
inline std::vector<std::uint8_t> Gathered(const std::vector<std::uint8_t>& burst) {
  return {burst.begin(), burst.end() - (burst.empty() ? 0 : 1)};
}

}  // namespace trel::testing
