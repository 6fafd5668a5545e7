#pragma once

#include "cli/trace_printer.h"
#include "link/printer_link.h"

namespace trel {

// Hands every call on to the real link and shows each frame written in the trace.
class TracedPrinterLink : public PrinterLink {
 public:
  TracedPrinterLink(PrinterLink& link, TracePrinter& trace) : link_(link), trace_(trace) {}

  int SerialSetLine(int stopBitsCode, std::uint32_t baudRate) override {
    return link_.SerialSetLine(stopBitsCode, baudRate);
  }
  int SerialOpen(const std::string& portName) override { return link_.SerialOpen(portName); }
  int SerialWrite(const std::uint8_t* bytes, std::size_t count) override {
    trace_.sent({bytes, count});
    return link_.SerialWrite(bytes, count);
  }
  int SerialClose() override { return link_.SerialClose(); }
  std::string lastOpenError() const override { return link_.lastOpenError(); }

 private:
  PrinterLink& link_;
  TracePrinter& trace_;
};

}  // namespace trel
