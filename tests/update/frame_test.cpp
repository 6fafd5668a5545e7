#include "update/frame.h"

#include <gtest/gtest.h>

#include "update/clock_frame.h"

namespace trel {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(BuildFrame, EmptyPayloadGivesLengthByteOneAndEightBytes) {
  EXPECT_EQ(BuildFrame(7, 9, 1, {}, false), (Bytes{0xFE, 0x01, 7, 9, 1, 17, 0xFF, 0xFF}));
}

TEST(BuildFrame, ParameterEndFrameChecksumIsSequencePlusTwoModulo254) {
  const std::uint8_t end[] = {0xAA, 0x55, 0x55, 0xAA};
  EXPECT_EQ(BuildFrame(10, kCommandParameterEnd, 0, end, false),
            (Bytes{0xFE, 0x05, 10, 0, 0, 0xAA, 0x55, 0x55, 0xAA, 12, 0xFF, 0xFF}));
  // 252 + 510 = 762 = 3 * 254: the checksum wraps to 0 and never reaches FE or FF.
  EXPECT_EQ(BuildFrame(252, kCommandParameterEnd, 0, end, false)[9], 0);
  EXPECT_EQ(BuildFrame(251, kCommandParameterEnd, 0, end, false)[9], 253);
}

TEST(BuildFrame, LengthByteWrapsForLongPayloads) {
  const Bytes payload(300, 0x01);
  const Frame frame = BuildFrame(3, kCommandKeyword, 2, payload, false);
  EXPECT_EQ(frame.size(), 308u);
  EXPECT_EQ(frame[1], (300 + 1) % 256);
  EXPECT_EQ(frame[305], (3 + 83 + 2 + 300) % 254);
}

TEST(SequenceNumbers, RebootFlagSendsCounterFourAsTwenty) {
  std::uint8_t counter = 4;
  const Frame rebooting = BuildFrame(TakeSequence(counter), 92, 0, {}, true);
  EXPECT_EQ(rebooting[2], 0x14);
  EXPECT_EQ(rebooting[5], 20 + 92);  // the checksum is computed with 20
  EXPECT_EQ(counter, 5);             // the counter itself goes on to 5
  EXPECT_EQ(BuildFrame(counter, 92, 0, {}, true)[2], 5);
  EXPECT_EQ(BuildFrame(4, 92, 0, {}, false)[2], 4);
}

TEST(SequenceNumbers, CounterWrapsFrom255ToZero) {
  std::uint8_t counter = 255;
  EXPECT_EQ(TakeSequence(counter), 255);
  EXPECT_EQ(TakeSequence(counter), 0);
  EXPECT_EQ(counter, 1);
}

TEST(ClosingFrame, SecondExtraFileCarriesIndexTwoAndItsChecksum) {
  EXPECT_EQ(BuildClosingFrame(40, 22, 2, false),
            (Bytes{0xFE, 0x02, 40, 83, 22, 2, 147, 0xFF, 0xFF}));
  EXPECT_EQ(BuildClosingFrame(4, 6, 0, true)[2], 20);
}

TEST(ClockFrame, CarriesLocalTimeInBcdAndATrailingZero) {
  const LocalTime time{2025, 12, 31, 23, 59, 7};
  const Frame frame = BuildClockFrame(time, kFirstSequence, false);
  const Bytes expectedStart{0xFE, 0x07, 3, 6, 0x25, 0x12, 0x31, 0x23, 0x59, 0x07, 0x00};
  EXPECT_EQ(Bytes(frame.begin(), frame.begin() + 11), expectedStart);
  EXPECT_EQ(frame[11], (3 + 6 + 0x25 + 0x12 + 0x31 + 0x23 + 0x59 + 0x07) % 254);
  EXPECT_EQ(ToBcd(2100), 0x00);
  EXPECT_EQ(ToBcd(9), 0x09);
}

}  // namespace
}  // namespace trel
