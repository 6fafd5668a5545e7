#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace trel {

// Why a port could not be opened, so the front ends can tell the operator what to do.
enum class SerialOpenError { kNone, kNotFound, kPermissionDenied, kBusy, kOther };

// Read and write time-outs in the terms of the Windows comm time-outs. The POSIX port accepts them
// without effect: its waits are bounded by the limits its callers pass.
struct SerialTimeouts {
  std::uint32_t readIntervalMs = 0;
  std::uint32_t readTotalMultiplierMs = 0;
  std::uint32_t readTotalConstantMs = 0;
  std::uint32_t writeTotalMultiplierMs = 0;
  std::uint32_t writeTotalConstantMs = 0;
};

// The line: 8 data bits, no parity, no flow control and DTR off are always set; these two vary.
// Stop-bit code 0 is one stop bit, 1 one and a half, 2 two; above 2 is one.
struct SerialLineSettings {
  std::uint32_t baudRate = 9600;
  int stopBitsCode = 0;
};

// One open serial port. Every operation may be called from any thread; cancelIo() and close() wake
// every wait in progress at once.
class SerialPort {
 public:
  virtual ~SerialPort() = default;

  // Driver queue sizes (SetupComm); meaningless on POSIX, where it succeeds without effect.
  virtual bool setupComm(std::uint32_t inputQueue, std::uint32_t outputQueue) = 0;
  virtual bool setTimeouts(const SerialTimeouts& timeouts) = 0;
  // Reads the current settings and changes only what SerialLineSettings and the fixed raw settings
  // name (GetCommState, SetCommState).
  virtual bool setLine(const SerialLineSettings& line) = 0;
  // Discards both directions' pending bytes (PurgeComm).
  virtual bool purge() = 0;
  // Bytes waiting in the input queue (ClearCommError's cbInQue); -1 when the port failed.
  virtual int queuedInput() = 0;
  // Waits until input is queued, the limit runs out, or cancelIo()/close() wakes it. Returns 1 when
  // input is waiting, 0 on time-out or wake-up, -1 when the port failed or the far end hung up.
  virtual int waitForInput(std::chrono::milliseconds limit) = 0;
  // Reads up to `count` queued bytes without blocking; returns the number read, -1 on failure.
  virtual long read(std::uint8_t* buffer, std::size_t count) = 0;
  // Writes all bytes within the limit; false when they could not all be written in time, after
  // cancelIo(), or on failure.
  virtual bool write(const std::uint8_t* bytes, std::size_t count,
                     std::chrono::milliseconds limit) = 0;
  // Ends every wait in progress (CancelIo); later operations work again.
  virtual void cancelIo() = 0;
  // Closes the device; every later operation fails.
  virtual void close() = 0;
};

struct SerialOpenResult {
  std::unique_ptr<SerialPort> port;  // empty on failure
  SerialOpenError error = SerialOpenError::kNone;
  std::string message;  // the cause in words, for the operator
};

// Opens a port by name, exclusively and raw. POSIX: a name with a "/" is a path; a bare name is
// looked up in /dev case-insensitively (the discovered name "ttyusb0" opens /dev/ttyUSB0).
// Windows: a COM port in the device namespace, "com5", "COM5" and "\\.\COM12" alike; the handle
// is for overlapped I/O.
SerialOpenResult OpenSerialPort(const std::string& name);

// How ports are named on this system, in words for a help text.
extern const char* const kSerialPortNaming;

}  // namespace trel
