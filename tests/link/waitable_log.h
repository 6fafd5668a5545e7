#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace trel::testing {

// What the session's threads handed a test (posted messages, bursts, scans), kept in order; the
// test waits for what it expects instead of sleeping.
template <typename Item>
class WaitableLog {
 public:
  void Add(Item item) {
    {
      std::lock_guard lock(mutex_);
      items_.push_back(std::move(item));
    }
    changed_.notify_all();
  }

  std::vector<Item> items() {
    std::lock_guard lock(mutex_);
    return items_;
  }

  // Waits up to `limit` until `done(items)` holds; returns the items as they are then.
  template <typename Done>
  std::vector<Item> WaitUntil(Done done,
                              std::chrono::milliseconds limit = std::chrono::seconds(5)) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, limit, [&] { return done(items_); });
    return items_;
  }

  std::vector<Item> WaitForCount(std::size_t count,
                                 std::chrono::milliseconds limit = std::chrono::seconds(5)) {
    return WaitUntil([count](const std::vector<Item>& items) { return items.size() >= count; },
                     limit);
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Item> items_;
};

}  // namespace trel::testing
