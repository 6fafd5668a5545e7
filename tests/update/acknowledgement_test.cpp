#include "update/acknowledgement.h"

#include <gtest/gtest.h>

#include "update/fake_printer.h"

namespace trel {
namespace {

using testing::Ack;
using Kind = Acknowledgement::Kind;

Kind KindOf(const Reply& reply, const Frame& frame) {
  return MatchAcknowledgement(reply, frame).kind;
}

TEST(MatchAcknowledgement, StartByteChecksumAndSequence) {
  const Frame data = BuildFrame(9, kCommandParameterData, 0, Reply{1, 2}, false);
  const std::uint8_t c = data[data.size() - 3];
  EXPECT_EQ(KindOf({0xFE, c, 9, 0}, data), Kind::kAccepted);
  EXPECT_EQ(KindOf({0xFE, 0xFE, c, 9, 0}, data), Kind::kAccepted);
  EXPECT_EQ(KindOf({1, 2, 3, 0xFE, c, 9, 0}, data), Kind::kAccepted);
  EXPECT_EQ(KindOf({1, 2, 3, 4, 0xFE, c, 9, 0}, data), Kind::kNoMatch);  // start too late
  EXPECT_EQ(KindOf({0xFE, c, 8, 0}, data), Kind::kNoMatch);              // an earlier frame's
  EXPECT_EQ(KindOf({0xFE, c, 9}, data), Kind::kNoMatch);                 // too short for R2
  EXPECT_EQ(KindOf({0xFE, c, 9, 3}, data), Kind::kRefused);
}

TEST(MatchAcknowledgement, OnlyTheClockFrameReplyCarriesTheFirmwareWord) {
  const Frame clock = BuildFrame(kFirstSequence, kCommandClock, 0x25, {}, false);
  EXPECT_EQ(MatchAcknowledgement(Ack(clock, 5, 40, 1), clock).firmwareWord, 65536u + 5 * 256 + 40);
  EXPECT_EQ(KindOf(Ack(clock, 3, 40, 1), clock), Kind::kRefused);
  EXPECT_EQ(MatchAcknowledgement(Ack(clock, 0, 0, 0), clock).firmwareWord, 0u);
  const Reply ack = Ack(clock);
  EXPECT_EQ(KindOf(Reply(ack.begin(), ack.begin() + 5), clock), Kind::kNoMatch);  // no R4
  // A keyword frame whose counter wrapped round to 3 gets a plain acknowledgement.
  const Frame wrapped = BuildFrame(kFirstSequence, kCommandKeyword, 2, {}, false);
  const Acknowledgement plain = MatchAcknowledgement(Reply{0xFE, wrapped[5], 3, 0}, wrapped);
  EXPECT_EQ(plain.kind, Kind::kAccepted);
  EXPECT_EQ(plain.firmwareWord, std::nullopt);
}

}  // namespace
}  // namespace trel
