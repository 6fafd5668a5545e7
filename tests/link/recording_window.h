#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/window_messages.h"

namespace trel::testing {

struct PostedMessage {
  unsigned message;
  std::uintptr_t wParam;
  std::intptr_t lParam;
};

// A window that keeps what it was posted and lets a test wait for a message.
class RecordingWindow : public WindowMessages {
 public:
  void post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override {
    {
      std::lock_guard lock(mutex_);
      posted_.push_back({message, wParam, lParam});
    }
    changed_.notify_all();
  }

  // Waits (up to 5 s) until `message` was posted `times` times in all; true when it was.
  bool WaitFor(unsigned message, int times = 1) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(5),
                             [&] { return CountLocked(message) >= times; });
  }

  int Count(unsigned message) const {
    std::lock_guard lock(mutex_);
    return CountLocked(message);
  }

  std::vector<PostedMessage> posted() const {
    std::lock_guard lock(mutex_);
    return posted_;
  }

 private:
  int CountLocked(unsigned message) const {
    int count = 0;
    for (const PostedMessage& posted : posted_) {
      count += posted.message == message ? 1 : 0;
    }
    return count;
  }

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<PostedMessage> posted_;
};

}  // namespace trel::testing
