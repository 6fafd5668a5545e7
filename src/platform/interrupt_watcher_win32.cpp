#include <windows.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/interrupt_watcher.h"

namespace trel {

namespace {

// A closed console window ends the process when its handler returns: give the job this long to end
// in order first (Windows allows five seconds).
constexpr std::chrono::milliseconds kCloseGrace{4000};

}  // namespace

// Ctrl-C, Ctrl-Break and a closed console window arrive as console control events on a thread the
// system starts for each; the handler passes them on to the watcher that is alive, if any.
class InterruptWatcher::Watch {
 public:
  explicit Watch(std::function<void()> onInterrupt) : onInterrupt_(std::move(onInterrupt)) {
    {
      std::lock_guard lock(lock_);
      active_ = this;
    }
    ::SetConsoleCtrlHandler(&Watch::onControl, TRUE);
  }

  ~Watch() {
    ::SetConsoleCtrlHandler(&Watch::onControl, FALSE);
    std::lock_guard lock(lock_);
    active_ = nullptr;
    gone_.notify_all();
  }

  bool interrupted() const { return interrupted_.load(); }

 private:
  // Runs on the system's thread. The lock keeps the watcher alive while it is called.
  static BOOL WINAPI onControl(DWORD event) {
    std::unique_lock lock(lock_);
    if (active_ == nullptr) {
      return FALSE;
    }
    active_->interrupted_.store(true);
    active_->onInterrupt_();
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
      gone_.wait_for(lock, kCloseGrace, [] { return active_ == nullptr; });
    }
    return TRUE;
  }

  static inline std::mutex lock_;
  static inline std::condition_variable gone_;
  static inline Watch* active_ = nullptr;

  std::function<void()> onInterrupt_;
  std::atomic<bool> interrupted_{false};
};

InterruptWatcher::InterruptWatcher(std::function<void()> onInterrupt)
    : watch_(std::make_unique<Watch>(std::move(onInterrupt))) {}

InterruptWatcher::~InterruptWatcher() = default;

bool InterruptWatcher::interrupted() const {
  return watch_->interrupted();
}

}  // namespace trel
