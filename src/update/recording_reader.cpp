#include "update/recording_reader.h"

#include "update/frame.h"

namespace trel {

namespace {

// The length byte holds the payload length plus one, modulo 256.
std::size_t PayloadLength(std::uint8_t lengthByte) {
  return static_cast<std::uint8_t>(lengthByte - 1);
}

// The whole frame's length when a complete frame starts at `offset`.
std::optional<std::size_t> FrameLengthAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
  const std::size_t left = bytes.size() - offset;
  if (bytes[offset] != kFrameStart || left < kFrameOverhead) {
    return std::nullopt;
  }
  const std::size_t length = PayloadLength(bytes[offset + kFrameLengthOffset]) + kFrameOverhead;
  if (left < length) {
    return std::nullopt;
  }
  return length;
}

}  // namespace

std::uint8_t RecordedFrame::expectedChecksum() const {
  return FrameChecksum(sequence, command, argument, payload);
}

RecordingWalk WalkRecording(std::span<const std::uint8_t> bytes) {
  RecordingWalk walk;
  std::size_t offset = 0;
  while (offset < bytes.size()) {
    const std::optional<std::size_t> length = FrameLengthAt(bytes, offset);
    if (!length) {
      walk.malformedAt = offset;
      return walk;
    }
    const std::size_t n = *length - kFrameOverhead;
    const std::span<const std::uint8_t> frame = bytes.subspan(offset, *length);
    for (std::size_t end = kFramePayloadOffset + n + 1; end < frame.size(); ++end) {
      if (frame[end] != kFrameEnd) {
        walk.malformedAt = offset + end;
        return walk;
      }
    }
    walk.frames.push_back(RecordedFrame{.offset = offset,
                                        .sequence = frame[kFrameSequenceOffset],
                                        .command = frame[kFrameCommandOffset],
                                        .argument = frame[kFrameArgumentOffset],
                                        .payload = frame.subspan(kFramePayloadOffset, n),
                                        .checksum = frame[kFramePayloadOffset + n]});
    offset += frame.size();
  }
  return walk;
}

}  // namespace trel
