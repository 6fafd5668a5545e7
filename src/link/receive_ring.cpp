#include "link/receive_ring.h"

#include <algorithm>

namespace trel {

std::size_t ReceiveRing::Append(const std::uint8_t* bytes, std::size_t count) {
  std::lock_guard lock(mutex_);
  const std::size_t room = kSize - 1 - AvailableLocked();
  const std::size_t stored = std::min(count, room);
  for (std::size_t i = 0; i < stored; ++i) {
    bytes_[write_] = bytes[i];
    write_ = (write_ + 1) % kSize;
  }
  dropped_ += count - stored;
  return stored;
}

std::size_t ReceiveRing::Available() const {
  std::lock_guard lock(mutex_);
  return AvailableLocked();
}

std::size_t ReceiveRing::TakeInto(std::uint8_t* destination, std::size_t limit) {
  std::lock_guard lock(mutex_);
  const std::size_t taken = std::min(limit, AvailableLocked());
  for (std::size_t i = 0; i < taken; ++i) {
    destination[i] = bytes_[read_];
    read_ = (read_ + 1) % kSize;
  }
  return taken;
}

void ReceiveRing::Clear() {
  std::lock_guard lock(mutex_);
  bytes_.fill(0);
  write_ = 0;
  read_ = 0;
}

std::uint64_t ReceiveRing::droppedBytes() const {
  std::lock_guard lock(mutex_);
  return dropped_;
}

}  // namespace trel
