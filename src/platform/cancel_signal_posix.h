#pragma once

#include <memory>
#include <mutex>

namespace trel {

// A descriptor that becomes readable when every wait in progress must end. Each wait polls the
// descriptor of the round it started in; Fire() makes that round's descriptor readable for good and
// starts a new round, so later waits are not woken by an old cancellation and every waiter of the
// old round wakes, however many there are.
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

class CancelSignal::Round {
 public:
  Round();
  ~Round();
  Round(const Round&) = delete;
  Round& operator=(const Round&) = delete;

  // The descriptor to poll for POLLIN; -1 when none could be made (the wait then only times out).
  int fd() const { return readFd_; }
  void fire() const;

 private:
  // A pipe: one byte written makes the reading end readable for good, since nobody reads it.
  int readFd_ = -1;
  int writeFd_ = -1;
};

}  // namespace trel
