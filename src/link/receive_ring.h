#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>

namespace trel {

// The session's receive ring between the link thread (producer) and the delivery thread (consumer).
// It is empty when both indices are equal, so it holds at most kSize - 1 unread bytes; bytes that
// arrive while it is full are dropped and counted rather than written over unread ones.
class ReceiveRing {
 public:
  static constexpr std::size_t kSize = 4096;

  // Stores what fits and returns how many bytes were stored.
  std::size_t Append(const std::uint8_t* bytes, std::size_t count);
  // Unread bytes.
  std::size_t Available() const;
  // Moves up to `limit` unread bytes to `destination`; returns how many were moved.
  std::size_t TakeInto(std::uint8_t* destination, std::size_t limit);
  // Forgets every unread byte: both indices back to 0, contents zeroed.
  void Clear();
  // Bytes dropped because the ring was full, since construction.
  std::uint64_t droppedBytes() const;

 private:
  std::size_t AvailableLocked() const { return (write_ + kSize - read_) % kSize; }

  mutable std::mutex mutex_;
  std::array<std::uint8_t, kSize> bytes_{};
  std::size_t write_ = 0;
  std::size_t read_ = 0;
  std::uint64_t dropped_ = 0;
};

}  // namespace trel
