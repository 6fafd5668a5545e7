#include "link/worker_thread.h"

#include <system_error>

namespace trel {

WorkerThread::~WorkerThread() {
  if (thread_.joinable()) {
    thread_.join();
  }
}

bool WorkerThread::Start(std::function<void()> body) {
  if (thread_.joinable()) {
    return false;
  }
  ended_.Reset();
  try {
    thread_ = std::thread([this, body = std::move(body)] {
      body();
      ended_.Set();
    });
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

bool WorkerThread::Stop(std::chrono::milliseconds limit) {
  if (!thread_.joinable()) {
    return true;
  }
  const bool endedInTime = ended_.Wait(limit);
  thread_.join();
  return endedInTime;
}

}  // namespace trel
