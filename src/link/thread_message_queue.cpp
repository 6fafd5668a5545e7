#include "link/thread_message_queue.h"

namespace trel {

void ThreadMessageQueue::post(const ThreadMessage& message) {
  {
    const std::lock_guard lock(mutex_);
    queue_.push_back(message);
  }
  posted_.notify_one();
}

ThreadMessage ThreadMessageQueue::take() {
  std::unique_lock lock(mutex_);
  posted_.wait(lock, [this] { return !queue_.empty(); });
  const ThreadMessage next = queue_.front();
  queue_.pop_front();
  return next;
}

void ThreadMessageQueue::clear() {
  const std::lock_guard lock(mutex_);
  queue_.clear();
}

}  // namespace trel
