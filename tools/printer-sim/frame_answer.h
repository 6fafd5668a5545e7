#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "frame_parser.h"
#include "sim_options.h"

namespace printer_sim {

// The printer's reaction to one good frame.
struct FrameAnswer {
  unsigned frameNumber = 0;
  bool dropped = false;
  std::vector<std::uint8_t> bytes;  // garbage, then the acknowledgement; empty when dropped
  std::size_t splitAt = 0;          // 0: in one piece; else the size of the first piece
  bool hangUpAfter = false;
};

inline constexpr std::uint8_t kClockCommand = 6;
inline constexpr std::uint8_t kRefused = 3;

// Answers good frames in the order received: FE, the frame's checksum, its sequence, R2, R3, R4,
// then padding to 8 bytes. The clock frame's R2, R3 and R4 carry the firmware level, the items
// needed and the escape selector (unless the frame is one of noWordFrames); other frames' are 0.
class FrameAnswerer {
 public:
  explicit FrameAnswerer(AnswerOptions options) : options_(std::move(options)) {}

  FrameAnswer answer(const ReceivedFrame& frame);

 private:
  std::vector<std::uint8_t> acknowledgement(const ReceivedFrame& frame, unsigned number) const;

  AnswerOptions options_;
  unsigned framesSeen_ = 0;
};

}  // namespace printer_sim
