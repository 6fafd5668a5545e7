#include "cli/interrupt_watcher.h"

#include <pthread.h>

namespace trel {

InterruptWatcher::InterruptWatcher(std::function<void()> onInterrupt)
    : onInterrupt_(std::move(onInterrupt)) {
  sigemptyset(&watched_);
  sigaddset(&watched_, SIGINT);
  sigaddset(&watched_, SIGTERM);
  sigaddset(&watched_, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &watched_, &previous_);
  thread_ = std::thread(&InterruptWatcher::watch, this);
}

InterruptWatcher::~InterruptWatcher() {
  stopping_.store(true);
  // The watcher waits in sigwait(); a signal aimed at it alone ends the wait.
  pthread_kill(thread_.native_handle(), SIGTERM);
  thread_.join();
  pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

void InterruptWatcher::watch() {
  for (;;) {
    int signal = 0;
    if (sigwait(&watched_, &signal) != 0 || stopping_.load()) {
      return;
    }
    interrupted_.store(true);
    onInterrupt_();
  }
}

}  // namespace trel
