#pragma once

#include <deque>
#include <functional>
#include <mutex>
#include <optional>

namespace trel {

// The tasks other threads hand to the UI thread, in the order handed in, under a lock of our own
// (so every thread checker sees how a task crosses threads). The renderer only wakes its UI thread
// for each one and takes one task per wake-up, so a task that opens a modal box leaves the rest in
// order behind it.
class TaskQueue {
 public:
  // Any thread.
  void push(std::function<void()> task);
  // The oldest task, if any.
  std::optional<std::function<void()>> take();
  // Runs the oldest task, if any.
  void runOne();

 private:
  std::mutex mutex_;
  std::deque<std::function<void()>> tasks_;
};

}  // namespace trel
