#pragma once

#include <memory>
#include <mutex>

namespace trel {

// What a wait watches besides its own I/O: a descriptor to poll for POSIX, an event handle
// (HANDLE) for Windows.
#ifdef _WIN32
using WakeHandle = void*;
#else
using WakeHandle = int;
#endif

// A wake-up that ends every wait in progress. Each wait watches the wake handle of the round it
// started in; fire() signals that round's handle for good and starts a new round, so later waits
// are not woken by an old cancellation and every waiter of the old round wakes, however many there
// are.
class CancelSignal {
 public:
  class Round;

  CancelSignal();
  CancelSignal(const CancelSignal&) = delete;
  CancelSignal& operator=(const CancelSignal&) = delete;

  // The round a new wait belongs to; keep it for the whole wait.
  std::shared_ptr<const Round> current() const;
  // Wakes every wait of the current round and starts the next one.
  void fire();

 private:
  mutable std::mutex mutex_;
  std::shared_ptr<Round> round_;
};

// One round's wake handle, made and signalled the operating system's way.
class CancelSignal::Round {
 public:
  Round();
  ~Round();
  Round(const Round&) = delete;
  Round& operator=(const Round&) = delete;

  // POSIX: a descriptor to poll for POLLIN (-1 when none could be made); Windows: a manual-reset
  // event (null when none could be made). Without one a wait only times out.
  WakeHandle handle() const { return handle_; }
  void fire() const;

 private:
  WakeHandle handle_;
  // What fire() signals: a pipe's writing end, whose reading end is handle_ (POSIX); the event
  // itself (Windows).
  WakeHandle signal_;
};

}  // namespace trel
