#include "platform/serial_port_io_win32.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

namespace trel {
namespace {

// Stop-bit codes above two mean one stop bit.
constexpr int kLastStopBitsCode = TWOSTOPBITS;
// Queued bytes are there already; reading them never takes long.
constexpr DWORD kQueuedReadLimitMs = 1000;

DWORD LimitMs(std::chrono::milliseconds limit) {
  return static_cast<DWORD>(std::clamp<std::chrono::milliseconds::rep>(limit.count(), 0, 1 << 30));
}

}  // namespace

bool ApplyLineSettings(HANDLE port, const SerialLineSettings* line) {
  DCB settings{};
  settings.DCBlength = sizeof settings;
  if (!::GetCommState(port, &settings)) {
    return false;
  }
  settings.fBinary = TRUE;
  settings.fOutxCtsFlow = FALSE;
  settings.fOutxDsrFlow = FALSE;
  settings.fDtrControl = DTR_CONTROL_DISABLE;
  settings.fOutX = FALSE;
  settings.fInX = FALSE;
  settings.ByteSize = 8;
  settings.fParity = FALSE;
  settings.Parity = NOPARITY;
  if (line != nullptr) {
    settings.BaudRate = line->baudRate;
    const bool known = line->stopBitsCode >= 0 && line->stopBitsCode <= kLastStopBitsCode;
    settings.StopBits = static_cast<BYTE>(known ? line->stopBitsCode : ONESTOPBIT);
  }
  return ::SetCommState(port, &settings) != FALSE;
}

Win32SerialPort::Win32SerialPort(HANDLE handle) : handle_(handle) {}

Win32SerialPort::~Win32SerialPort() {
  close();
}

std::shared_lock<std::shared_mutex> Win32SerialPort::lockIfOpen() const {
  // Once closing has begun no new user takes the lock, so close() is never starved by a loop.
  if (closed_) {
    return {};
  }
  std::shared_lock lock(handleLock_);
  if (handle_ == INVALID_HANDLE_VALUE) {
    return {};
  }
  return lock;
}

bool Win32SerialPort::setupComm(std::uint32_t inputQueue, std::uint32_t outputQueue) {
  const auto lock = lockIfOpen();
  return lock && ::SetupComm(handle_, inputQueue, outputQueue) != FALSE;
}

bool Win32SerialPort::setTimeouts(const SerialTimeouts& timeouts) {
  const auto lock = lockIfOpen();
  COMMTIMEOUTS comm{};
  comm.ReadIntervalTimeout = timeouts.readIntervalMs;
  comm.ReadTotalTimeoutMultiplier = timeouts.readTotalMultiplierMs;
  comm.ReadTotalTimeoutConstant = timeouts.readTotalConstantMs;
  comm.WriteTotalTimeoutMultiplier = timeouts.writeTotalMultiplierMs;
  comm.WriteTotalTimeoutConstant = timeouts.writeTotalConstantMs;
  return lock && ::SetCommTimeouts(handle_, &comm) != FALSE;
}

bool Win32SerialPort::setLine(const SerialLineSettings& line) {
  const auto lock = lockIfOpen();
  return lock && ApplyLineSettings(handle_, &line);
}

bool Win32SerialPort::purge() {
  const auto lock = lockIfOpen();
  if (!lock) {
    return false;
  }
  std::lock_guard reading(readLock_);
  heldByte_.reset();
  return ::PurgeComm(handle_, PURGE_RXCLEAR | PURGE_TXCLEAR) != FALSE;
}

int Win32SerialPort::driverQueueLocked() const {
  DWORD errors = 0;
  COMSTAT status{};
  if (!::ClearCommError(handle_, &errors, &status)) {
    return -1;
  }
  return static_cast<int>(std::min<DWORD>(status.cbInQue, std::numeric_limits<int>::max()));
}

int Win32SerialPort::queuedInput() {
  const auto lock = lockIfOpen();
  if (!lock) {
    return -1;
  }
  std::lock_guard reading(readLock_);
  const int queued = driverQueueLocked();
  return queued < 0 ? -1 : queued + (heldByte_ ? 1 : 0);
}

Win32SerialPort::Ending Win32SerialPort::finish(BOOL started, OVERLAPPED& operation, DWORD limitMs,
                                                const CancelSignal::Round& round,
                                                DWORD& transferred) const {
  transferred = 0;
  if (!started && ::GetLastError() != ERROR_IO_PENDING) {
    return Ending::kFailed;
  }
  Ending unfinished = Ending::kDone;
  if (!started) {
    const std::array<HANDLE, 2> events{operation.hEvent, round.handle()};
    const DWORD count = round.handle() != nullptr ? 2 : 1;
    const DWORD waited = ::WaitForMultipleObjects(count, events.data(), FALSE, limitMs);
    if (waited != WAIT_OBJECT_0) {
      unfinished = waited == WAIT_TIMEOUT ? Ending::kTimedOut : Ending::kWoken;
      ::CancelIoEx(handle_, &operation);
    }
  }
  // Waits for the operation's real end: a cancelled one may still have moved bytes. An operation
  // that the comm time-outs ended has simply moved fewer bytes (Wine reports it as ERROR_TIMEOUT,
  // where Windows reports success).
  if (::GetOverlappedResult(handle_, &operation, &transferred, TRUE)) {
    return Ending::kDone;
  }
  const DWORD error = ::GetLastError();
  if (error == ERROR_TIMEOUT) {
    return Ending::kDone;
  }
  return error == ERROR_OPERATION_ABORTED && unfinished != Ending::kDone ? unfinished
                                                                         : Ending::kFailed;
}

int Win32SerialPort::waitForInput(std::chrono::milliseconds limit) {
  const auto lock = lockIfOpen();
  if (!lock) {
    return -1;
  }
  const auto round = cancel_.current();
  std::lock_guard reading(readLock_);
  if (heldByte_) {
    return 1;
  }
  const int queued = driverQueueLocked();
  if (queued != 0) {
    return queued > 0 ? 1 : -1;
  }
  // Nothing is queued: a one-byte read waits for the first byte to come.
  std::uint8_t byte = 0;
  OVERLAPPED operation{};
  operation.hEvent = readDone_.get();
  ::ResetEvent(operation.hEvent);
  const BOOL started = ::ReadFile(handle_, &byte, 1, nullptr, &operation);
  DWORD got = 0;
  switch (finish(started, operation, LimitMs(limit), *round, got)) {
    case Ending::kDone:
    case Ending::kTimedOut:
    case Ending::kWoken:
      if (got == 1) {
        heldByte_ = byte;
        return 1;
      }
      return 0;
    case Ending::kFailed:
      break;
  }
  return -1;
}

long Win32SerialPort::read(std::uint8_t* buffer, std::size_t count) {
  const auto lock = lockIfOpen();
  if (!lock) {
    return -1;
  }
  if (count == 0) {
    return 0;
  }
  const auto round = cancel_.current();
  std::lock_guard reading(readLock_);
  std::size_t filled = 0;
  if (heldByte_) {
    buffer[filled++] = *std::exchange(heldByte_, std::nullopt);
  }
  const int queued = driverQueueLocked();
  if (queued < 0) {
    return filled > 0 ? static_cast<long>(filled) : -1;
  }
  const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(count - filled, queued));
  if (wanted == 0) {
    return static_cast<long>(filled);
  }
  OVERLAPPED operation{};
  operation.hEvent = readDone_.get();
  ::ResetEvent(operation.hEvent);
  const BOOL started = ::ReadFile(handle_, buffer + filled, wanted, nullptr, &operation);
  DWORD got = 0;
  const Ending ending = finish(started, operation, kQueuedReadLimitMs, *round, got);
  filled += got;
  return ending == Ending::kFailed && filled == 0 ? -1 : static_cast<long>(filled);
}

bool Win32SerialPort::write(const std::uint8_t* bytes, std::size_t count,
                            std::chrono::milliseconds limit) {
  const auto lock = lockIfOpen();
  if (!lock || count > std::numeric_limits<DWORD>::max()) {
    return false;
  }
  const auto round = cancel_.current();
  std::lock_guard writing(writeLock_);
  OVERLAPPED operation{};
  operation.hEvent = writeDone_.get();
  ::ResetEvent(operation.hEvent);
  const BOOL started = ::WriteFile(handle_, bytes, static_cast<DWORD>(count), nullptr, &operation);
  DWORD put = 0;
  return finish(started, operation, LimitMs(limit), *round, put) == Ending::kDone && put == count;
}

void Win32SerialPort::cancelIo() {
  cancel_.fire();
}

void Win32SerialPort::close() {
  if (closed_.exchange(true)) {
    return;
  }
  cancel_.fire();
  std::unique_lock lock(handleLock_);
  ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE));
}

}  // namespace trel
