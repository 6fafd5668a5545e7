#include "update/acknowledgement.h"

#include <gtest/gtest.h>

#include "update/fake_printer.h"
#include "update/frame.h"

namespace trel {
namespace {

using testing::Ack;
using Kind = Acknowledgement::Kind;

class AcknowledgementTest : public ::testing::Test {
 protected:
  const Frame data =
      BuildFrame(9, kCommandParameterData, 0, std::vector<std::uint8_t>{1, 2}, false);
  const Frame clock = BuildFrame(kFirstSequence, kCommandClock, 0x25, {}, false);
  const std::uint8_t c = data[data.size() - 3];
  const std::uint8_t s = data[kFrameSequenceOffset];
};

TEST_F(AcknowledgementTest, FindsTheStartWithinTheFirstFourBytes) {
  EXPECT_EQ(MatchAcknowledgement(Reply{0xFE, c, s, 0}, data).kind, Kind::kAccepted);
  EXPECT_EQ(MatchAcknowledgement(Reply{0xFE, 0xFE, c, s, 0}, data).kind, Kind::kAccepted);
  EXPECT_EQ(MatchAcknowledgement(Reply{0x11, 0x22, 0x33, 0xFE, c, s, 0}, data).kind,
            Kind::kAccepted);
  EXPECT_EQ(MatchAcknowledgement(Reply{0x11, 0x22, 0x33, 0x44, 0xFE, c, s, 0}, data).kind,
            Kind::kNoMatch);
  EXPECT_EQ(MatchAcknowledgement(Reply{c, s, 0, 0}, data).kind, Kind::kNoMatch);
}

TEST_F(AcknowledgementTest, MustEchoChecksumAndSequence) {
  EXPECT_EQ(MatchAcknowledgement(Reply{0xFE, c, static_cast<std::uint8_t>(s - 1), 0}, data).kind,
            Kind::kNoMatch);
  EXPECT_EQ(MatchAcknowledgement(Reply{0xFE, static_cast<std::uint8_t>(c + 1), s, 0}, data).kind,
            Kind::kNoMatch);
}

TEST_F(AcknowledgementTest, RefusalCodeRefusesEvenTheClockFrame) {
  EXPECT_EQ(MatchAcknowledgement(Reply{0xFE, c, s, 3}, data).kind, Kind::kRefused);
  EXPECT_EQ(MatchAcknowledgement(Ack(clock, 3, 40, 1), clock).kind, Kind::kRefused);
}

TEST_F(AcknowledgementTest, ClockFrameReplyGivesTheFirmwareWord) {
  const Acknowledgement ack = MatchAcknowledgement(Ack(clock, 5, 40, 1), clock);
  EXPECT_EQ(ack.kind, Kind::kAccepted);
  EXPECT_EQ(ack.word, 1u * 65536 + 5 * 256 + 40);
  // A word of 0 is still an acknowledgement, not a failure.
  EXPECT_EQ(MatchAcknowledgement(Ack(clock, 0, 0, 0), clock).kind, Kind::kAccepted);
}

TEST_F(AcknowledgementTest, RepliesTooShortForTheMatchMatchNothing) {
  EXPECT_EQ(MatchAcknowledgement(Reply{0xFE, c, s}, data).kind, Kind::kNoMatch);
  EXPECT_EQ(MatchAcknowledgement(Reply{0xFE, 0xFE}, data).kind, Kind::kNoMatch);
  EXPECT_EQ(MatchAcknowledgement(Reply{}, data).kind, Kind::kNoMatch);
  const Reply clockAck = Ack(clock, 5, 40, 1);
  EXPECT_EQ(MatchAcknowledgement(Reply(clockAck.begin(), clockAck.begin() + 5), clock).kind,
            Kind::kNoMatch);
}

TEST_F(AcknowledgementTest, WrappedSequenceThreeFrameIsAPlainAcknowledgement) {
  const Frame wrapped = BuildFrame(kFirstSequence, kCommandKeyword, 2, {}, false);
  const Acknowledgement ack = MatchAcknowledgement(Reply{0xFE, wrapped[5], 3, 0}, wrapped);
  EXPECT_EQ(ack.kind, Kind::kAccepted);
  EXPECT_EQ(ack.word, 1u);
}

}  // namespace
}  // namespace trel
