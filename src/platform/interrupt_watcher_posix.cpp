#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <thread>

#include "platform/interrupt_watcher.h"

namespace trel {

class InterruptWatcher::Watch {
 public:
  explicit Watch(std::function<void()> onInterrupt) : onInterrupt_(std::move(onInterrupt)) {
    sigemptyset(&watched_);
    sigaddset(&watched_, SIGINT);
    sigaddset(&watched_, SIGTERM);
    sigaddset(&watched_, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &watched_, &previous_);
    thread_ = std::thread(&Watch::run, this);
  }

  ~Watch() {
    stopping_.store(true);
    // The watcher waits in sigwait(); a signal aimed at it alone ends the wait.
    pthread_kill(thread_.native_handle(), SIGTERM);
    thread_.join();
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }

  bool interrupted() const { return interrupted_.load(); }

 private:
  void run() {
    for (;;) {
      int signal = 0;
      if (sigwait(&watched_, &signal) != 0 || stopping_.load()) {
        return;
      }
      interrupted_.store(true);
      onInterrupt_();
    }
  }

  std::function<void()> onInterrupt_;
  sigset_t watched_{};
  sigset_t previous_{};
  std::atomic<bool> stopping_{false};
  std::atomic<bool> interrupted_{false};
  std::thread thread_;
};

InterruptWatcher::InterruptWatcher(std::function<void()> onInterrupt)
    : watch_(std::make_unique<Watch>(std::move(onInterrupt))) {}

InterruptWatcher::~InterruptWatcher() = default;

bool InterruptWatcher::interrupted() const {
  return watch_->interrupted();
}

}  // namespace trel
