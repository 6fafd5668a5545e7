#pragma once

#include <atomic>
#include <chrono>
#include <shared_mutex>

#include "platform/cancel_signal.h"
#include "platform/serial_port.h"

namespace trel {

// A serial port on a termios device (USB adapter or pseudo-terminal). The descriptor is used under
// a shared lock and closed under an exclusive one, so no operation ever touches a closed (and
// perhaps reused) descriptor number; close() wakes every waiter before it takes that lock.
class PosixSerialPort final : public SerialPort {
 public:
  // Takes ownership of an open, non-blocking descriptor.
  explicit PosixSerialPort(int fd);
  ~PosixSerialPort() override;
  PosixSerialPort(const PosixSerialPort&) = delete;
  PosixSerialPort& operator=(const PosixSerialPort&) = delete;

  bool setupComm(std::uint32_t inputQueue, std::uint32_t outputQueue) override;
  bool setTimeouts(const SerialTimeouts& timeouts) override;
  bool setLine(const SerialLineSettings& line) override;
  bool purge() override;
  int queuedInput() override;
  int waitForInput(std::chrono::milliseconds limit) override;
  long read(std::uint8_t* buffer, std::size_t count) override;
  bool write(const std::uint8_t* bytes, std::size_t count,
             std::chrono::milliseconds limit) override;
  void cancelIo() override;
  void close() override;

 private:
  enum class PollResult { kReady, kTimedOut, kCancelled, kFailed };

  // Polls the descriptor for `events` or the cancel signal, until `deadline`; retries on EINTR.
  PollResult pollUntil(short events, std::chrono::steady_clock::time_point deadline) const;
  int queuedInputLocked() const;
  // A shared hold on the descriptor, or an empty lock when the port is closed or closing.
  std::shared_lock<std::shared_mutex> lockIfOpen() const;

  mutable std::shared_mutex fdLock_;
  int fd_;
  std::atomic<bool> closed_{false};
  CancelSignal cancel_;
};

}  // namespace trel
