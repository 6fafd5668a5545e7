#include "cli/trace_printer.h"

#include "update/text_format.h"

namespace trel {

void TracePrinter::print(const char* direction, std::span<const std::uint8_t> bytes) {
  const std::chrono::duration<double, std::milli> since =
      std::chrono::steady_clock::now() - origin_;
  output_.line(Format("%10.3f ms %s ", since.count(), direction) + HexBytes(bytes));
}

}  // namespace trel
