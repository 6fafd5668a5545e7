#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>

#include "link/data_callback_slot.h"
#include "link/receive_ring.h"
#include "link/session_state.h"
#include "link/worker_thread.h"
#include "platform/manual_reset_event.h"

namespace trel {

// Empties the receive ring into the assembly buffer and hands the gathered bytes to the data
// callback in bursts, so that each answer of the printer arrives as one block: at once when more
// than six bytes have gathered, after a quiet second for shorter answers, and whenever the assembly
// is full.
class DeliveryThread {
 public:
  static constexpr std::size_t kAssemblySize = 1024;
  // Gathered bytes that make a full assembly: the hand-over passes one byte more.
  static constexpr std::size_t kFullAssembly = kAssemblySize - 1;
  // Longest answer that waits for the quiet time before it is handed over.
  static constexpr std::size_t kLongestShortAnswer = 6;

  DeliveryThread(ReceiveRing& ring, ManualResetEvent& dataArrived, const SessionState& state,
                 const DataCallbackSlot& callback, std::chrono::milliseconds quietTime)
      : ring_(ring),
        dataArrived_(dataArrived),
        state_(state),
        callback_(callback),
        quietTime_(quietTime) {}

  bool Start();
  // Clears the run flag, wakes the thread and waits for it; false when it took longer than `limit`.
  bool Stop(std::chrono::milliseconds limit);
  // Makes the thread forget what it has gathered and zero the assembly before it takes more bytes
  // (a port was just opened).
  void RequestClear() { clearRequested_ = true; }

 private:
  void Run();
  void Drain();
  bool ReadyToHandOver() const;
  void HandOver(const SerialDataCallback& callback);
  void WaitForData();
  void ForgetGathered();

  ReceiveRing& ring_;
  ManualResetEvent& dataArrived_;
  const SessionState& state_;
  const DataCallbackSlot& callback_;
  const std::chrono::milliseconds quietTime_;
  std::atomic<bool> run_{false};
  std::atomic<bool> clearRequested_{false};
  WorkerThread thread_;

  // Owned by the delivery thread.
  std::array<std::uint8_t, kAssemblySize> assembly_{};
  std::size_t count_ = 0;
  bool quiet_ = false;  // the last wait ran out while bytes were gathered
};

}  // namespace trel
