#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

#include "link/printer_link.h"

namespace trel::testing {

// Keeps every burst the data callback is handed, whole (with the one extra byte).
class BurstCollector {
 public:
  SerialDataCallback Callback() {
    return [this](std::uint32_t context, std::uint32_t length, const std::uint8_t* bytes) {
      {
        std::lock_guard lock(mutex_);
        contexts_ += context;
        bursts_.emplace_back(bytes, bytes + length);
      }
      changed_.notify_all();
      return 1;
    };
  }

  // Waits until `count` bursts arrived or the limit ran out; returns all so far.
  std::vector<std::vector<std::uint8_t>> WaitFor(
      std::size_t count, std::chrono::milliseconds limit = std::chrono::seconds(5)) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, limit, [&] { return bursts_.size() >= count; });
    return bursts_;
  }

  // Sum of the context values passed; the session always passes 0.
  std::uint32_t contexts() {
    std::lock_guard lock(mutex_);
    return contexts_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::vector<std::uint8_t>> bursts_;
  std::uint32_t contexts_ = 0;
};

// The gathered bytes of a burst: all but the extra byte.
inline std::vector<std::uint8_t> Gathered(const std::vector<std::uint8_t>& burst) {
  return {burst.begin(), burst.end() - (burst.empty() ? 0 : 1)};
}

}  // namespace trel::testing
