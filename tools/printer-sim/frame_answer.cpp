#include "frame_answer.h"

#include <utility>

namespace printer_sim {
namespace {

constexpr std::size_t kFullAckSize = 8;
constexpr std::size_t kShortAckSize = 6;

}  // namespace

std::vector<std::uint8_t> FrameAnswerer::acknowledgement(const ReceivedFrame& frame,
                                                         unsigned number) const {
  std::uint8_t r2 = 0;
  std::uint8_t r3 = 0;
  std::uint8_t r4 = 0;
  if (frame.command == kClockCommand && !options_.noWordFrames.contains(number)) {
    r2 = options_.firmwareLevel;
    r3 = options_.itemsNeeded;
    r4 = options_.escapeSelector;
  }
  if (options_.nakFrames.contains(number)) {
    r2 = kRefused;
  }
  std::uint8_t sequence = frame.sequence;
  if (options_.wrongSeqFrames.contains(number)) {
    sequence = static_cast<std::uint8_t>(sequence + 1);
  }
  std::vector<std::uint8_t> ack{kFrameStart, frame.checksum, sequence, r2, r3, r4};
  ack.resize(options_.shortAcks ? kShortAckSize : kFullAckSize, 0);
  return ack;
}

FrameAnswer FrameAnswerer::answer(const ReceivedFrame& frame) {
  FrameAnswer result;
  result.frameNumber = ++framesSeen_;
  result.hangUpAfter = options_.hangUpFrames.contains(result.frameNumber);
  if (options_.dropFrames.contains(result.frameNumber)) {
    result.dropped = true;
    return result;
  }
  result.bytes = options_.garbage;
  const auto ack = acknowledgement(frame, result.frameNumber);
  result.bytes.insert(result.bytes.end(), ack.begin(), ack.end());
  if (options_.split) {
    result.splitAt = result.bytes.size() / 2;
  }
  return result;
}

}  // namespace printer_sim
