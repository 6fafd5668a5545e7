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

TEST(ReceiveRingTest, AReaderFallingBehindLosesOnlyWhatArrivesWhileTheRingIsFull) {
  ReceiveRing ring;
  // Bytes numbered by their arrival; 251 is prime, so a byte out of place shows.
  std::vector<std::uint8_t> arrivals(6000);
  for (std::size_t i = 0; i < arrivals.size(); ++i) {
    arrivals[i] = static_cast<std::uint8_t>(i % 251);
  }
  std::vector<std::uint8_t> taken(ReceiveRing::kSize);
  ASSERT_EQ(ring.Append(arrivals.data(), 3000), 3000u);
  ASSERT_EQ(ring.TakeInto(taken.data(), 1000), 1000u);
  // 2000 bytes still unread leave room for 2095 of the next 3000.
  EXPECT_EQ(ring.Append(arrivals.data() + 3000, 3000), 2095u);
  EXPECT_EQ(ring.droppedBytes(), 905u);
  ASSERT_EQ(ring.TakeInto(taken.data(), taken.size()), 4095u);
  taken.resize(4095);
  EXPECT_EQ(taken, std::vector<std::uint8_t>(arrivals.begin() + 1000, arrivals.begin() + 5095));
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
