// The recording decoder walks any bytes without reading past them.
#include <cstddef>
#include <cstdint>
#include <span>

#include "update/recording_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const trel::RecordingWalk walk = trel::WalkRecording(std::span(data, size));
  (void)walk;
  return 0;
}
