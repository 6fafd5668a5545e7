#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "update/update_environment.h"
#include "update/update_job.h"

namespace trel {

// Runs one update job at a time on a thread of its own. The owner joins it (its destructor does)
// before it frees anything the job uses; closing the link first makes a running job end at its next
// write.
class UpdateWorker {
 public:
  UpdateWorker() = default;
  UpdateWorker(const UpdateWorker&) = delete;
  UpdateWorker& operator=(const UpdateWorker&) = delete;
  ~UpdateWorker();

  // Starts the job; false (and nothing started) while a job still runs. onJobEnded is called on the
  // worker thread once the outcome has been posted, before the port closes: the desktop enables its
  // controls again there, the command line wakes its main thread. A previous worker that has ended
  // its job but is still closing the port is waited for first, so its close never meets the new
  // job's open.
  bool Start(UpdateJob job, UpdateEnvironment environment, std::function<void()> onJobEnded);

  // True from Start until the job's end has been announced.
  bool IsRunning() const { return running_.load(); }

  // Waits for the worker thread, if any, to end.
  void Join();

  // The job's fields as the worker left them; meaningful after Join.
  const UpdateJob& job() const { return job_; }

 private:
  std::thread thread_;
  std::atomic<bool> running_{false};
  UpdateJob job_;
};

}  // namespace trel
