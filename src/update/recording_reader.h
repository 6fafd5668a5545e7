#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace trel {

// One frame as it stands in a recording: the bytes between the start byte and the two end bytes,
// split into their fields. `payload` views the recording's bytes.
struct RecordedFrame {
  std::size_t offset = 0;
  std::uint8_t sequence = 0;
  std::uint8_t command = 0;
  std::uint8_t argument = 0;
  std::span<const std::uint8_t> payload;
  std::uint8_t checksum = 0;

  // The checksum the frame's own bytes call for.
  std::uint8_t expectedChecksum() const;
  bool checksumGood() const { return checksum == expectedChecksum(); }
};

// A recording is the sent frames laid end to end, nothing else. Walking stops at the first byte
// that cannot belong to a frame (not a start byte where a frame should begin, wrong end bytes) or
// at a frame cut short by the end of the file; `malformedAt` is then that byte's offset.
struct RecordingWalk {
  std::vector<RecordedFrame> frames;
  std::optional<std::size_t> malformedAt;
};

RecordingWalk WalkRecording(std::span<const std::uint8_t> bytes);

}  // namespace trel
