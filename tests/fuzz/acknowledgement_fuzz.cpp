// Any reply against any sent frame: the match reads only the bytes it has. The first byte says
// how long the sent frame is.
#include <cstddef>
#include <cstdint>
#include <span>

#include "update/acknowledgement.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  const std::span<const std::uint8_t> rest(data + 1, size - 1);
  const std::size_t frameSize = data[0] < rest.size() ? data[0] : rest.size();
  trel::MatchAcknowledgement(rest.subspan(frameSize), rest.first(frameSize));
  return 0;
}
