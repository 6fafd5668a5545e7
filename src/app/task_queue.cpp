#include "app/task_queue.h"

namespace trel {

void TaskQueue::push(std::function<void()> task) {
  const std::lock_guard lock(mutex_);
  tasks_.push_back(std::move(task));
}

std::optional<std::function<void()>> TaskQueue::take() {
  const std::lock_guard lock(mutex_);
  if (tasks_.empty()) {
    return std::nullopt;
  }
  std::function<void()> task = std::move(tasks_.front());
  tasks_.pop_front();
  return task;
}

void TaskQueue::runOne() {
  if (std::optional<std::function<void()>> task = take()) {
    (*task)();
  }
}

}  // namespace trel
