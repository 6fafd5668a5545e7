#include "update/frame.h"

#include <gtest/gtest.h>

#include "update/clock_frame.h"

namespace trel {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(BuildFrame, LayoutLengthByteAndChecksumModulo254) {
  EXPECT_EQ(BuildFrame(7, 9, 1, {}, false), (Bytes{0xFE, 0x01, 7, 9, 1, 17, 0xFF, 0xFF}));
  const Bytes end{0xAA, 0x55, 0x55, 0xAA};
  EXPECT_EQ(BuildFrame(10, kCommandParameterEnd, 0, end, false)[9], 12);  // (s + 510) mod 254
  EXPECT_EQ(BuildFrame(252, kCommandParameterEnd, 0, end, false)[9], 0);  // never FE or FF
  const Frame longFrame = BuildFrame(3, kCommandKeyword, 2, Bytes(300, 1), false);
  EXPECT_EQ(longFrame.size(), 308u);
  EXPECT_EQ(longFrame[1], 301 % 256);
}

TEST(BuildFrame, RebootSendsCounterFourAsTwentyAndTheCounterWraps) {
  std::uint8_t counter = 4;
  const Frame rebooting = BuildFrame(TakeSequence(counter), 92, 0, {}, true);
  EXPECT_EQ(rebooting[2], 0x14);
  EXPECT_EQ(rebooting[5], 20 + 92);
  EXPECT_EQ(BuildFrame(TakeSequence(counter), 92, 0, {}, true)[2], 5);
  EXPECT_EQ(BuildFrame(4, 92, 0, {}, false)[2], 4);
  counter = 255;
  TakeSequence(counter);
  EXPECT_EQ(TakeSequence(counter), 0);
}

TEST(BuildFrame, ClosingAndClockFrames) {
  EXPECT_EQ(BuildClosingFrame(40, 22, 2, false),
            (Bytes{0xFE, 0x02, 40, 83, 22, 2, 147, 0xFF, 0xFF}));
  EXPECT_EQ(BuildClockFrame({2025, 12, 31, 23, 59, 7}, kFirstSequence, false),
            (Bytes{0xFE, 0x07, 3, 6, 0x25, 0x12, 0x31, 0x23, 0x59, 0x07, 0x00,
                   (3 + 6 + 0x25 + 0x12 + 0x31 + 0x23 + 0x59 + 0x07) % 254, 0xFF, 0xFF}));
}

}  // namespace
}  // namespace trel
