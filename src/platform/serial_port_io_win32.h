#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>
#include <shared_mutex>

#include "platform/cancel_signal.h"
#include "platform/serial_port.h"

namespace trel {

// A manual-reset event owned by one object, for one kind of overlapped operation.
class OwnedEvent {
 public:
  OwnedEvent() : handle_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~OwnedEvent() {
    if (handle_ != nullptr) {
      ::CloseHandle(handle_);
    }
  }
  OwnedEvent(const OwnedEvent&) = delete;
  OwnedEvent& operator=(const OwnedEvent&) = delete;

  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// A COM port opened for overlapped I/O. Every wait is on the operation's event and on the wake-up
// event of the current CancelSignal round, so cancelIo() and close() end each wait at once; an
// operation cut short is cancelled (CancelIoEx) and waited for before its buffer goes away. The
// handle is used under a shared lock and closed under an exclusive one, so no operation ever
// touches a closed handle.
class Win32SerialPort final : public SerialPort {
 public:
  // Takes ownership of a handle opened with FILE_FLAG_OVERLAPPED.
  explicit Win32SerialPort(HANDLE handle);
  ~Win32SerialPort() override;
  Win32SerialPort(const Win32SerialPort&) = delete;
  Win32SerialPort& operator=(const Win32SerialPort&) = delete;

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
  enum class Ending { kDone, kTimedOut, kWoken, kFailed };

  // Sees an overlapped operation through: `started` is what ReadFile or WriteFile returned. Waits
  // up to `limit` for it or the round's wake-up; cancels it when it did not end in time. The
  // operation is over when this returns; `transferred` holds the bytes it moved.
  Ending finish(BOOL started, OVERLAPPED& operation, DWORD limitMs,
                const CancelSignal::Round& round, DWORD& transferred) const;
  // Bytes in the driver's input queue (ClearCommError, which also clears a line error); -1 when
  // the query fails.
  int driverQueueLocked() const;
  std::shared_lock<std::shared_mutex> lockIfOpen() const;

  mutable std::shared_mutex handleLock_;
  HANDLE handle_;
  std::atomic<bool> closed_{false};
  CancelSignal cancel_;
  std::mutex readLock_;  // one reader at a time: the read event and the held byte
  std::mutex writeLock_;
  OwnedEvent readDone_;
  OwnedEvent writeDone_;
  std::optional<std::uint8_t> heldByte_;  // taken by waitForInput, handed over by the next read
};

// The line the printer link uses, DCB-style: 8 data bits, no parity, no flow control, DTR off;
// with `line` also the baud rate and the stop bits (Windows' own codes: 0 one, 1 one and a half,
// 2 two; above 2 one). Everything else stays as the driver reports it.
bool ApplyLineSettings(HANDLE port, const SerialLineSettings* line);

}  // namespace trel
