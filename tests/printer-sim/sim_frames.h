#pragma once

#include <cstdint>
#include <vector>

#include "frame_parser.h"

namespace printer_sim::testing {

// A well-formed frame as the tool sends it.
inline std::vector<std::uint8_t> MakeFrame(std::uint8_t sequence, std::uint8_t command,
                                           std::uint8_t argument,
                                           const std::vector<std::uint8_t>& payload) {
  std::vector<std::uint8_t> frame;
  frame.reserve(payload.size() + 8);
  for (const std::uint8_t byte :
       {kFrameStart, static_cast<std::uint8_t>(payload.size() + 1), sequence, command, argument}) {
    frame.push_back(byte);
  }
  frame.insert(frame.end(), payload.begin(), payload.end());
  frame.push_back(FrameChecksum(sequence, command, argument, payload));
  frame.push_back(kFrameEnd);
  frame.push_back(kFrameEnd);
  return frame;
}

// The clock frame of a job: sequence 3, 2026-12-08 02:10:00.
inline std::vector<std::uint8_t> ClockFrame() {
  return MakeFrame(3, 6, 0x26, {0x12, 0x08, 0x02, 0x10, 0x00, 0x00});
}

}  // namespace printer_sim::testing
