// The stand-in printer's frame parser, fed in pieces and resynchronised at the end: every frame
// it returns holds the bytes its length byte announced.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "frame_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  printer_sim::FrameParser parser;
  const std::size_t half = size / 2;
  auto check = [](const std::vector<printer_sim::ReceivedFrame>& frames) {
    for (const printer_sim::ReceivedFrame& frame : frames) {
      if (frame.bytes.empty() || frame.bytes[0] != printer_sim::kFrameStart) {
        std::abort();
      }
    }
  };
  check(parser.feed(data, half));
  check(parser.feed(data + half, size - half));
  check(parser.resync());
  return 0;
}
