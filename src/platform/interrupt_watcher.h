#pragma once

#include <functional>
#include <memory>

namespace trel {

// Turns Ctrl-C, SIGTERM, SIGHUP and SIGQUIT (Windows: Ctrl-C, Ctrl-Break and a closed console
// window) into a call on a thread other than the job's while it lives, so a job can be ended in
// order (the port closed, the worker joined, the working copy removed) instead of the process dying
// mid-write. Create it before any other thread: on POSIX the signals are blocked in the creating
// thread and so in every thread started after it, and waited for by the watcher alone, and while it
// lives a closed pipe makes writes fail rather than ending the process. On Windows the system calls
// the console control handler on a thread of its own.
class InterruptWatcher {
 public:
  explicit InterruptWatcher(std::function<void()> onInterrupt);
  InterruptWatcher(const InterruptWatcher&) = delete;
  InterruptWatcher& operator=(const InterruptWatcher&) = delete;
  // Stops the watcher and unblocks the signals again.
  ~InterruptWatcher();

  bool interrupted() const;

 private:
  class Watch;
  std::unique_ptr<Watch> watch_;
};

}  // namespace trel
