#include "link/delivery_thread.h"

#include <algorithm>

namespace trel {

bool DeliveryThread::Start() {
  if (thread_.Running()) {
    return true;
  }
  run_ = true;
  if (!thread_.Start([this] { Run(); })) {
    run_ = false;
    return false;
  }
  return true;
}

bool DeliveryThread::Stop(std::chrono::milliseconds limit) {
  run_ = false;
  dataArrived_.Set();
  return thread_.Stop(limit);
}

void DeliveryThread::Run() {
  while (run_.load()) {
    if (state_.PrinterDeviceActive()) {
      Drain();
    } else {
      ForgetGathered();
    }
    WaitForData();
  }
}

void DeliveryThread::Drain() {
  if (clearRequested_.exchange(false)) {
    assembly_.fill(0);
    ForgetGathered();
  }
  std::shared_ptr<const SerialDataCallback> callback = callback_.Current();
  // Bytes that arrive while draining wait for the next pass, so an answer is handed over as it
  // stood when the drain began.
  std::size_t pending = ring_.Available();
  while (run_.load() && callback) {
    if (count_ >= kFullAssembly) {
      HandOver(*callback);
      callback = callback_.Current();
      pending = ring_.Available();
      continue;
    }
    if (pending == 0) {
      if (ReadyToHandOver()) {
        HandOver(*callback);
      }
      return;
    }
    const std::size_t taken =
        ring_.TakeInto(assembly_.data() + count_, std::min(pending, kFullAssembly - count_));
    // Fewer bytes than expected means the ring was cleared meanwhile.
    pending = taken == 0 ? 0 : pending - taken;
    count_ += taken;
    if (!state_.PrinterDeviceActive()) {
      return;
    }
  }
}

bool DeliveryThread::ReadyToHandOver() const {
  return count_ > 0 && (count_ >= kFullAssembly || quiet_ || count_ > kLongestShortAnswer);
}

// The length passed counts one byte beyond the gathered ones: the receiver has always been given
// the byte that follows them in the assembly as well.
void DeliveryThread::HandOver(const SerialDataCallback& callback) {
  callback(0, static_cast<std::uint32_t>(count_ + 1), assembly_.data());
  ForgetGathered();
}

void DeliveryThread::WaitForData() {
  const bool collecting = count_ != 0;
  bool signalled = true;
  if (collecting) {
    signalled = dataArrived_.Wait(quietTime_);
  } else {
    dataArrived_.Wait();
  }
  // Silence for the whole wait completes whatever is gathered, also when the bytes were copied
  // before the wake-up they caused was consumed.
  quiet_ = collecting && !signalled;
  dataArrived_.Reset();
}

// After a hand-over; or the link went down or the idle device took over, and what was gathered
// belongs to no answer.
void DeliveryThread::ForgetGathered() {
  count_ = 0;
  quiet_ = false;
}

}  // namespace trel
