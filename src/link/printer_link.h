#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace trel {

// Receives each burst of bytes the printer sent: (context, always 0; length; bytes). The bytes are
// valid only during the call. The result is ignored.
using SerialDataCallback =
    std::function<int(std::uint32_t context, std::uint32_t length, const std::uint8_t* bytes)>;

// What the update engine needs of the link to the printer. The serial session implements it; tests
// put a fake in its place. Results: 1 success, 0 failure.
class PrinterLink {
 public:
  virtual ~PrinterLink() = default;
  // Stop-bit code (0 one, 1 one and a half, 2 two) and baud rate for the next open.
  virtual int SerialSetLine(int stopBitsCode, std::uint32_t baudRate) = 0;
  virtual int SerialOpen(const std::string& portName) = 0;
  virtual int SerialWrite(const std::uint8_t* bytes, std::size_t count) = 0;
  virtual int SerialClose() = 0;
  // The cause of the last failed SerialOpen in words ("permission denied ..."), empty when none.
  virtual std::string lastOpenError() const = 0;
};

}  // namespace trel
