#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <utility>

#include "link/printer_link.h"

namespace trel {

// Hands every call on to the real link and shows each frame to a watcher just before it is written
// (the trace prints it, the progress counts it).
class WatchedPrinterLink : public PrinterLink {
 public:
  using Watcher = std::function<void(std::span<const std::uint8_t> frame)>;

  WatchedPrinterLink(PrinterLink& link, Watcher watcher)
      : link_(link), watcher_(std::move(watcher)) {}

  int SerialSetLine(int stopBitsCode, std::uint32_t baudRate) override {
    return link_.SerialSetLine(stopBitsCode, baudRate);
  }
  int SerialOpen(const std::string& portName) override { return link_.SerialOpen(portName); }
  int SerialWrite(const std::uint8_t* bytes, std::size_t count) override {
    watcher_({bytes, count});
    return link_.SerialWrite(bytes, count);
  }
  int SerialClose() override { return link_.SerialClose(); }
  std::string lastOpenError() const override { return link_.lastOpenError(); }

 private:
  PrinterLink& link_;
  Watcher watcher_;
};

}  // namespace trel
