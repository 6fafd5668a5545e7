#include "cli/job_interrupts.h"

namespace trel {

JobInterrupts::JobInterrupts() : watcher_([this] { stopAll(); }) {}

JobInterrupts::Registration JobInterrupts::add(Stop stop) {
  const std::lock_guard lock(mutex_);
  // The watcher marks the interrupt before it stops the jobs under this lock: a job added after
  // the mark is stopped here, one added before it by stopAll().
  if (watcher_.interrupted()) {
    stop();
  }
  stops_.emplace(nextId_, std::move(stop));
  return {*this, nextId_++};
}

void JobInterrupts::remove(int id) {
  const std::lock_guard lock(mutex_);
  stops_.erase(id);
}

void JobInterrupts::stopAll() {
  const std::lock_guard lock(mutex_);
  for (const auto& [id, stop] : stops_) {
    stop();
  }
}

}  // namespace trel
