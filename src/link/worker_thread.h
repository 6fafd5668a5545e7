#pragma once

#include <chrono>
#include <functional>
#include <thread>

#include "platform/manual_reset_event.h"

namespace trel {

// One of the session's threads. It is never killed: its owner asks it to stop by the thread's own
// run flag and event, then Stop() waits for it.
class WorkerThread {
 public:
  WorkerThread() = default;
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;
  ~WorkerThread();

  // Runs `body` on a new thread; false when one is running already or the thread cannot be made.
  bool Start(std::function<void()> body);
  bool Running() const { return thread_.joinable(); }
  // Waits up to `limit` for the body to return and joins the thread. False when it was still
  // running at the limit; it is then waited for until it ends, since ending it any other way
  // could leave a lock held or a buffer half written.
  bool Stop(std::chrono::milliseconds limit);

 private:
  std::thread thread_;
  ManualResetEvent ended_;
};

}  // namespace trel
