#include "frame_answer.h"

#include <gtest/gtest.h>

#include "frame_report.h"
#include "hex_bytes.h"
#include "sim_frames.h"

namespace printer_sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

ReceivedFrame Parsed(const Bytes& bytes) {
  FrameParser parser;
  auto frames = parser.feed(bytes.data(), bytes.size());
  EXPECT_EQ(frames.size(), 1u);
  return frames.empty() ? ReceivedFrame{} : frames.front();
}

const ReceivedFrame kClock = Parsed(testing::ClockFrame());  // checksum 0x5B, sequence 3
const ReceivedFrame kData = Parsed(testing::MakeFrame(4, 92, 0, {0x41, 0x0A, 0x0D, 0x0A, 0x0D}));

TEST(FrameAnswer, ClockFrameCarriesFirmwareLevelItemsNeededAndEscapeSelector) {
  AnswerOptions options;
  options.firmwareLevel = 5;
  options.itemsNeeded = 40;
  options.escapeSelector = 1;
  FrameAnswerer answerer(options);
  const auto answer = answerer.answer(kClock);
  EXPECT_EQ(answer.frameNumber, 1u);
  // The tool reads R4 * 65536 + R2 * 256 + R3 as escape selector, firmware level, items needed.
  EXPECT_EQ(answer.bytes, (Bytes{0xFE, 0x5B, 0x03, 5, 40, 1, 0, 0}));
  EXPECT_EQ(answer.splitAt, 0u);
  EXPECT_FALSE(answer.dropped);
  EXPECT_FALSE(answer.hangUpAfter);
}

TEST(FrameAnswer, OtherFramesEchoChecksumAndSequenceWithZeros) {
  FrameAnswerer answerer(AnswerOptions{});
  answerer.answer(kClock);
  EXPECT_EQ(answerer.answer(kData).bytes, (Bytes{0xFE, kData.checksum, 0x04, 0, 0, 0, 0, 0}));
}

TEST(FrameAnswer, DefaultClockAnswerIsLevelTwoTwoItemsSelectorZeroAndARefusalReplacesR2) {
  EXPECT_EQ(FrameAnswerer(AnswerOptions{}).answer(kClock).bytes,
            (Bytes{0xFE, 0x5B, 0x03, 2, 2, 0, 0, 0}));
  AnswerOptions options;
  options.nakFrames = {1};
  EXPECT_EQ(FrameAnswerer(options).answer(kClock).bytes, (Bytes{0xFE, 0x5B, 0x03, 3, 2, 0, 0, 0}));
}

TEST(FrameAnswer, NoWordFramesAnswerTheClockFrameWithZeros) {
  AnswerOptions options;
  options.noWordFrames = {1};
  FrameAnswerer answerer(options);
  EXPECT_EQ(answerer.answer(kClock).bytes, (Bytes{0xFE, 0x5B, 0x03, 0, 0, 0, 0, 0}));
  EXPECT_EQ(answerer.answer(kClock).bytes, (Bytes{0xFE, 0x5B, 0x03, 2, 2, 0, 0, 0}));
}

TEST(FrameAnswer, FaultsHitOnlyTheNamedFrameAndResentFramesCountAgain) {
  AnswerOptions options;
  options.nakFrames = {2};
  options.dropFrames = {3};
  options.wrongSeqFrames = {4};
  FrameAnswerer answerer(options);
  EXPECT_EQ(answerer.answer(kClock).bytes[3], 2) << "frame 1 untouched";

  const auto refused = answerer.answer(kData);
  EXPECT_EQ(refused.bytes[3], kRefused);
  EXPECT_EQ(refused.bytes[2], 0x04);

  const auto dropped = answerer.answer(kData);  // the tool sends it again: frame 3
  EXPECT_TRUE(dropped.dropped);
  EXPECT_TRUE(dropped.bytes.empty());

  const auto misnumbered = answerer.answer(kData);
  EXPECT_EQ(misnumbered.frameNumber, 4u);
  EXPECT_NE(misnumbered.bytes[2], 0x04);
  EXPECT_EQ(misnumbered.bytes[1], kData.checksum);

  EXPECT_EQ(answerer.answer(kData).bytes, (Bytes{0xFE, kData.checksum, 0x04, 0, 0, 0, 0, 0}));
}

TEST(FrameAnswer, ShortAcksGarbageAndSplitShapeTheBytes) {
  AnswerOptions options;
  options.shortAcks = true;
  options.garbage = {0x00, 0x13};
  options.split = true;
  FrameAnswerer answerer(options);
  const auto answer = answerer.answer(kClock);
  EXPECT_EQ(answer.bytes, (Bytes{0x00, 0x13, 0xFE, 0x5B, 0x03, 2, 2, 0}));
  EXPECT_EQ(answer.splitAt, 4u);
}

TEST(FrameAnswer, HangUpComesAfterTheNamedFramesAnswer) {
  AnswerOptions options;
  options.hangUpFrames = {2};
  FrameAnswerer answerer(options);
  EXPECT_FALSE(answerer.answer(kClock).hangUpAfter);
  const auto last = answerer.answer(kData);
  EXPECT_TRUE(last.hangUpAfter);
  EXPECT_FALSE(last.bytes.empty()) << "frame 2 is still answered";
}

TEST(HexBytes, ParsesSeparatedPairsAndRefusesOddOrForeignText) {
  EXPECT_EQ(ParseHexBytes("AA55"), (Bytes{0xAA, 0x55}));
  EXPECT_EQ(ParseHexBytes("aa 0d:ff-00"), (Bytes{0xAA, 0x0D, 0xFF, 0x00}));
  EXPECT_EQ(ParseHexBytes(""), Bytes{});
  EXPECT_FALSE(ParseHexBytes("ABC"));
  EXPECT_FALSE(ParseHexBytes("A B"));
  EXPECT_FALSE(ParseHexBytes("0x12"));
  EXPECT_EQ(HexText({0x0A, 0xFE}), "0A FE");
  EXPECT_EQ(HexText({0x0A, 0xFE}, '\0'), "0AFE");
}

TEST(FrameReport, JsonLinesDescribeGoodAndBadFrames) {
  FrameAnswerer answerer(AnswerOptions{});
  const auto answer = answerer.answer(kClock);
  EXPECT_EQ(FrameJsonLine(kClock, &answer),
            "{\"good\":true,\"frame\":1,\"sequence\":3,\"command\":6,\"argument\":38,"
            "\"meaning\":\"clock 2026-12-08 02:10:00\",\"payload\":\"120802100000\","
            "\"answer\":\"FE5B030202000000\",\"hangUp\":false}");
  EXPECT_NE(DescribeFrame(kClock, &answer).find("seq 3 cmd 6"), std::string::npos);

  auto bad = testing::ClockFrame();
  bad.back() = 0x00;
  FrameParser parser;
  const auto frames = parser.feed(bad.data(), bad.size());
  ASSERT_FALSE(frames.empty());
  EXPECT_EQ(FrameJsonLine(frames[0], nullptr),
            "{\"good\":false,\"fault\":\"end bytes\",\"bytes\":\"FE0703062612080210"
            "00005BFF00\"}");
}

TEST(FrameReport, ShortClockPayloadIsReportedNotOverread) {
  const auto shortClock = Parsed(testing::MakeFrame(3, 6, 0x26, {0x12}));
  FrameAnswerer answerer(AnswerOptions{});
  const auto answer = answerer.answer(shortClock);
  EXPECT_NE(DescribeFrame(shortClock, &answer).find("clock (short payload)"), std::string::npos);
}

}  // namespace
}  // namespace printer_sim
