#include "link/receive_ring.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace trel {
namespace {

std::vector<std::uint8_t> Sequence(std::size_t count, std::uint8_t first = 0) {
  std::vector<std::uint8_t> bytes(count);
  std::iota(bytes.begin(), bytes.end(), first);
  return bytes;
}

TEST(ReceiveRingTest, FullRingDropsAndCountsInsteadOfOverwritingUnreadBytes) {
  ReceiveRing ring;
  const auto bytes = Sequence(ReceiveRing::kSize + 10);
  EXPECT_EQ(ring.Append(bytes.data(), bytes.size()), ReceiveRing::kSize - 1);
  EXPECT_EQ(ring.droppedBytes(), 11u);
  std::vector<std::uint8_t> taken(ReceiveRing::kSize);
  ASSERT_EQ(ring.TakeInto(taken.data(), taken.size()), ReceiveRing::kSize - 1);
  // The oldest bytes survive in order.
  EXPECT_EQ(taken[0], 0);
  EXPECT_EQ(taken[ReceiveRing::kSize - 2], bytes[ReceiveRing::kSize - 2]);
}

TEST(ReceiveRingTest, BytesWrapAroundTheEndInOrder) {
  ReceiveRing ring;
  std::vector<std::uint8_t> scratch(ReceiveRing::kSize);
  const auto filler = Sequence(ReceiveRing::kSize - 3);
  ring.Append(filler.data(), filler.size());
  ring.TakeInto(scratch.data(), filler.size());
  const auto wrapping = Sequence(8, 100);
  ASSERT_EQ(ring.Append(wrapping.data(), wrapping.size()), 8u);
  std::vector<std::uint8_t> taken(8);
  EXPECT_EQ(ring.TakeInto(taken.data(), 5), 5u);
  EXPECT_EQ(ring.Available(), 3u);
  EXPECT_EQ(ring.TakeInto(taken.data() + 5, 10), 3u);
  EXPECT_EQ(taken, wrapping);
  EXPECT_EQ(ring.droppedBytes(), 0u);
}

}  // namespace
}  // namespace trel
