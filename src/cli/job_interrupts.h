#pragma once

#include <functional>
#include <map>
#include <mutex>

#include "platform/interrupt_watcher.h"

namespace trel {

// Ctrl-C and the other ending signals for a whole command: each job that runs registers how it is
// stopped, and an interrupt stops every registered job at once. Create it first, before any job or
// link, so that their threads leave the signals to it.
class JobInterrupts {
 public:
  using Stop = std::function<void()>;

  // A job's stop while it is registered; it is taken back when this goes.
  class Registration {
   public:
    Registration(JobInterrupts& interrupts, int id) : interrupts_(interrupts), id_(id) {}
    ~Registration() { interrupts_.remove(id_); }
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;

   private:
    JobInterrupts& interrupts_;
    int id_;
  };

  JobInterrupts();

  // Registers a job's stop; it is called at once when an interrupt came before. A stop may be
  // called more than once.
  [[nodiscard]] Registration add(Stop stop);
  bool interrupted() const { return watcher_.interrupted(); }

 private:
  void remove(int id);
  void stopAll();

  std::mutex mutex_;
  std::map<int, Stop> stops_;
  int nextId_ = 0;
  InterruptWatcher watcher_;  // last: it calls stopAll() until it goes
};

}  // namespace trel
