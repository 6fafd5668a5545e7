#include "update/update_worker.h"

namespace trel {

UpdateWorker::~UpdateWorker() {
  Join();
}

bool UpdateWorker::Start(UpdateJob job, UpdateEnvironment environment,
                         std::function<void()> onJobEnded) {
  if (running_.load()) {
    return false;
  }
  Join();
  job_ = std::move(job);
  running_.store(true);
  thread_ = std::thread([this, environment, onJobEnded = std::move(onJobEnded)] {
    RunUpdateJob(job_, environment, [this, &onJobEnded] {
      // Cleared before the front end hears of the end, so a Start it allows is never refused.
      running_.store(false);
      if (onJobEnded) {
        onJobEnded();
      }
    });
  });
  return true;
}

void UpdateWorker::Join() {
  if (thread_.joinable()) {
    thread_.join();
  }
}

}  // namespace trel
