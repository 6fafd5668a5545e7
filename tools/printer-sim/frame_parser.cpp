#include "frame_parser.h"

#include <algorithm>
#include <numeric>

namespace printer_sim {
namespace {

constexpr std::size_t kHeaderSize = 5;  // start, length, sequence, command, argument
constexpr std::size_t kFrameOverhead = 8;

// The length byte is the payload length plus one, modulo 256.
std::size_t PayloadLength(std::uint8_t lengthByte) {
  return static_cast<std::uint8_t>(lengthByte - 1);
}

}  // namespace

std::uint8_t FrameChecksum(std::uint8_t sequence, std::uint8_t command, std::uint8_t argument,
                           const std::vector<std::uint8_t>& payload) {
  const unsigned sum =
      std::accumulate(payload.begin(), payload.end(), unsigned{sequence} + command + argument);
  return static_cast<std::uint8_t>(sum % 254);
}

std::vector<ReceivedFrame> FrameParser::feed(const std::uint8_t* bytes, std::size_t count) {
  pending_.insert(pending_.end(), bytes, bytes + count);
  return takeFrames();
}

std::vector<ReceivedFrame> FrameParser::resync() {
  std::vector<ReceivedFrame> frames;
  while (!pending_.empty()) {
    pending_.erase(pending_.begin());
    auto found = takeFrames();
    frames.insert(frames.end(), std::make_move_iterator(found.begin()),
                  std::make_move_iterator(found.end()));
  }
  return frames;
}

std::vector<ReceivedFrame> FrameParser::takeFrames() {
  std::vector<ReceivedFrame> frames;
  ReceivedFrame frame;
  while (takeFrame(frame)) {
    frames.push_back(std::move(frame));
    frame = ReceivedFrame{};
  }
  return frames;
}

bool FrameParser::takeFrame(ReceivedFrame& frame) {
  pending_.erase(pending_.begin(), std::find(pending_.begin(), pending_.end(), kFrameStart));
  if (pending_.size() < 2) {
    return false;
  }
  const std::size_t payloadLength = PayloadLength(pending_[1]);
  const std::size_t total = payloadLength + kFrameOverhead;
  if (pending_.size() < total) {
    return false;
  }
  frame.bytes.assign(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(total));
  frame.sequence = frame.bytes[2];
  frame.command = frame.bytes[3];
  frame.argument = frame.bytes[4];
  frame.payload.assign(
      frame.bytes.begin() + kHeaderSize,
      frame.bytes.begin() + static_cast<std::ptrdiff_t>(kHeaderSize + payloadLength));
  frame.checksum = frame.bytes[kHeaderSize + payloadLength];
  const bool endsWell = frame.bytes[total - 2] == kFrameEnd && frame.bytes[total - 1] == kFrameEnd;
  if (!endsWell) {
    frame.fault = "end bytes";
    pending_.erase(pending_.begin());
    return true;
  }
  frame.good =
      frame.checksum == FrameChecksum(frame.sequence, frame.command, frame.argument, frame.payload);
  if (!frame.good) {
    frame.fault = "checksum";
  }
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(total));
  return true;
}

}  // namespace printer_sim
