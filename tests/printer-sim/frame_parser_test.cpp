#include "frame_parser.h"

#include <gtest/gtest.h>

#include "sim_frames.h"

namespace printer_sim {
namespace {

using testing::ClockFrame;
using testing::MakeFrame;

std::vector<ReceivedFrame> Feed(FrameParser& parser, const std::vector<std::uint8_t>& bytes) {
  return parser.feed(bytes.data(), bytes.size());
}

TEST(FrameChecksum, IsTheSumModulo254) {
  // End of the parameter block with sequence 10: (10 + 0 + 0 + 0xAA + 0x55 + 0x55 + 0xAA) % 254.
  EXPECT_EQ(FrameChecksum(10, 0, 0, {0xAA, 0x55, 0x55, 0xAA}), 12);
  EXPECT_EQ(FrameChecksum(253, 0, 0, {}), 253);
  EXPECT_EQ(FrameChecksum(254, 0, 0, {}), 0);
  EXPECT_EQ(FrameChecksum(255, 255, 255, std::vector<std::uint8_t>(300, 255)), (255 * 303) % 254);
}

TEST(FrameParser, TakesAGoodFrameApart) {
  FrameParser parser;
  const auto frames = Feed(parser, ClockFrame());
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_TRUE(frames[0].good);
  EXPECT_EQ(frames[0].sequence, 3);
  EXPECT_EQ(frames[0].command, 6);
  EXPECT_EQ(frames[0].argument, 0x26);
  EXPECT_EQ(frames[0].payload, (std::vector<std::uint8_t>{0x12, 0x08, 0x02, 0x10, 0x00, 0x00}));
  EXPECT_EQ(frames[0].bytes, ClockFrame());
  EXPECT_FALSE(parser.hasPartial());
}

TEST(FrameParser, EmptyPayloadAndLengthByteZeroMeaning255Bytes) {
  FrameParser parser;
  auto frames = Feed(parser, MakeFrame(7, 0, 0, {}));
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_TRUE(frames[0].good);
  EXPECT_EQ(frames[0].bytes.size(), 8u);

  const std::vector<std::uint8_t> longPayload(255, 0xFE);  // start bytes inside the payload too
  frames = Feed(parser, MakeFrame(8, 83, 2, longPayload));
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_TRUE(frames[0].good);
  EXPECT_EQ(frames[0].payload, longPayload);
}

TEST(FrameParser, SkipsNoiseAndJoinsFramesArrivingInPieces) {
  FrameParser parser;
  std::vector<std::uint8_t> stream{0x00, 0x41, 0xFF};
  const auto clock = ClockFrame();
  stream.insert(stream.end(), clock.begin(), clock.end());
  const auto data = MakeFrame(4, 92, 0, {0x41, 0x0A, 0x0D, 0x0A, 0x0D});
  stream.insert(stream.end(), data.begin(), data.end());

  std::vector<ReceivedFrame> frames;
  for (const std::uint8_t byte : stream) {
    for (auto& frame : parser.feed(&byte, 1)) {
      frames.push_back(std::move(frame));
    }
  }
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_TRUE(frames[0].good);
  EXPECT_EQ(frames[1].sequence, 4);
  EXPECT_TRUE(frames[1].good);
}

TEST(FrameParser, BadChecksumIsReportedAndTheNextFrameStillParses) {
  FrameParser parser;
  auto stream = ClockFrame();
  stream[stream.size() - 3] ^= 0x01;
  const auto next = MakeFrame(4, 0, 0, {0xAA, 0x55, 0x55, 0xAA});
  stream.insert(stream.end(), next.begin(), next.end());
  const auto frames = Feed(parser, stream);
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_FALSE(frames[0].good);
  EXPECT_EQ(frames[0].fault, "checksum");
  EXPECT_TRUE(frames[1].good);
}

TEST(FrameParser, WrongEndBytesRescanJustAfterTheStartByte) {
  FrameParser parser;
  // A stray start byte whose "length" swallows part of the real frame behind it.
  std::vector<std::uint8_t> stream{0xFE, 0x02};
  const auto clock = ClockFrame();
  stream.insert(stream.end(), clock.begin(), clock.end());
  const auto frames = Feed(parser, stream);
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_FALSE(frames[0].good);
  EXPECT_EQ(frames[0].fault, "end bytes");
  EXPECT_TRUE(frames[1].good);
  EXPECT_EQ(frames[1].bytes, clock);
}

TEST(FrameParser, ResyncFindsAFrameHiddenBehindAStalledOne) {
  FrameParser parser;
  // The stray start byte claims 200 payload bytes that never come.
  std::vector<std::uint8_t> stream{0xFE, 201};
  const auto clock = ClockFrame();
  stream.insert(stream.end(), clock.begin(), clock.end());
  EXPECT_TRUE(Feed(parser, stream).empty());
  ASSERT_TRUE(parser.hasPartial());

  const auto frames = parser.resync();
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_TRUE(frames[0].good);
  EXPECT_EQ(frames[0].bytes, clock);
  EXPECT_FALSE(parser.hasPartial());
}

TEST(FrameParser, ResyncOfATruncatedFrameLeavesNothingBehind) {
  FrameParser parser;
  const auto clock = ClockFrame();
  parser.feed(clock.data(), clock.size() - 2);
  EXPECT_TRUE(parser.resync().empty());
  EXPECT_FALSE(parser.hasPartial());
  EXPECT_EQ(Feed(parser, clock).size(), 1u) << "the next frame starts clean";
}

}  // namespace
}  // namespace printer_sim
