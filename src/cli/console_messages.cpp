#include "cli/console_messages.h"

namespace trel {

void ConsoleMessages::post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  {
    const std::lock_guard lock(mutex_);
    queue_.push_back(ThreadMessage{message, wParam, lParam});
  }
  posted_.notify_one();
}

ThreadMessage ConsoleMessages::take() {
  std::unique_lock lock(mutex_);
  posted_.wait(lock, [this] { return !queue_.empty(); });
  const ThreadMessage next = queue_.front();
  queue_.pop_front();
  return next;
}

}  // namespace trel
