#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "link/printer_link.h"

namespace trel {

// The link of a job that only records: no port is ever opened, so nothing can be written.
class NoPrinterLink : public PrinterLink {
 public:
  int SerialSetLine(int, std::uint32_t) override { return 1; }
  int SerialOpen(const std::string&) override { return 0; }
  int SerialWrite(const std::uint8_t*, std::size_t) override { return 0; }
  int SerialClose() override { return 1; }
  std::string lastOpenError() const override { return {}; }
};

}  // namespace trel
