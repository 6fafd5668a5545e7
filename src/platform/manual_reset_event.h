#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace trel {

// An event that stays signalled until it is reset, so a waiter that arrives after Set() does not
// block; the threads of the link and the update engine wake each other with it.
class ManualResetEvent {
 public:
  explicit ManualResetEvent(bool signalled = false) : signalled_(signalled) {}
  ManualResetEvent(const ManualResetEvent&) = delete;
  ManualResetEvent& operator=(const ManualResetEvent&) = delete;

  void Set();
  void Reset();
  bool IsSet() const;
  // Waits until the event is signalled; returns false when the limit ran out first.
  bool Wait(std::chrono::milliseconds limit) const;
  void Wait() const;

 private:
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  bool signalled_;
};

}  // namespace trel
