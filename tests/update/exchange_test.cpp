#include "update/exchange.h"

#include <gtest/gtest.h>

#include "update/job_bench.h"
#include "update/record_frame.h"

namespace trel {
namespace {

using testing::Ack;
using Outcome = ExchangeResult::Outcome;

std::vector<Reply> Silence(const Frame&, int) {
  return {};
}

std::vector<Reply> WrongSequence(const Frame& frame, int) {
  Reply reply = Ack(frame);
  ++reply[2];
  return {reply};
}

class ExchangeTest : public ::testing::Test, public testing::JobBench {
 protected:
  Outcome Exchange() {
    return FrameExchange(printer, replies, Settings()).ExchangeFrame(data, false).outcome;
  }
  std::size_t Sent() const { return printer.written().size(); }

  const Frame data = BuildFrame(9, kCommandParameterData, 0, Reply{7}, false);
  const Frame clock = BuildFrame(kFirstSequence, kCommandClock, 0x26, Reply{0x12, 8, 0}, false);
};

TEST_F(ExchangeTest, ForeignReplyCausesExactlyOneResend) {
  printer.answer = WrongSequence;
  EXPECT_EQ(Exchange(), Outcome::kNoAnswer);
  EXPECT_EQ(Sent(), 2u);
  printer.answer = [](const Frame& frame, int number) {
    return number % 2 == 1 ? WrongSequence(frame, number) : std::vector<Reply>{Ack(frame)};
  };
  EXPECT_EQ(Exchange(), Outcome::kAccepted);
  EXPECT_EQ(Sent(), 4u);
  job.nowait = true;  // nowait takes the foreign reply as good enough
  printer.answer = WrongSequence;
  EXPECT_EQ(Exchange(), Outcome::kAccepted);
  EXPECT_EQ(Sent(), 5u);
}

TEST_F(ExchangeTest, RefusalAndSilenceAreNeverResent) {
  printer.answer = [](const Frame& frame, int) { return std::vector<Reply>{Ack(frame, 3)}; };
  EXPECT_EQ(Exchange(), Outcome::kRefused);
  printer.answer = Silence;
  EXPECT_EQ(Exchange(), Outcome::kNoAnswer);
  job.nowait = true;
  EXPECT_EQ(Exchange(), Outcome::kAccepted);
  EXPECT_EQ(Sent(), 3u);
}

TEST_F(ExchangeTest, StaleRepliesAreDiscardedOldestFirst) {
  const Reply stale = WrongSequence(data, 1)[0];
  replies.OnReply(40, Reply(40, 0).data());
  replies.OnReply(static_cast<std::uint32_t>(stale.size()), stale.data());
  EXPECT_EQ(replies.longestReply(), 40u);
  EXPECT_EQ(Exchange(), Outcome::kAccepted);
  EXPECT_EQ(Sent(), 1u);
  EXPECT_EQ(replies.longestReply(), 8u);  // counted from the exchange's start
}

TEST_F(ExchangeTest, NothingGoesOutInFileOnlyModeOrAfterShutdown) {
  job.fileOnly = true;
  EXPECT_EQ(Exchange(), Outcome::kAccepted);
  job.fileOnly = false;
  replies.StopAccepting();
  EXPECT_EQ(Exchange(), Outcome::kNoAnswer);
  EXPECT_EQ(replies.OnReply(1, data.data()), 0);
  EXPECT_EQ(Sent(), 0u);
}

TEST_F(ExchangeTest, RealReplyWaitRunsOut) {
  printer.answer = Silence;
  EXPECT_EQ(FrameExchange(printer, replies, {}).ExchangeFrame(data, false).outcome,
            Outcome::kNoAnswer);
}

// How the printer answers each clock frame it is sent; a missing entry is silence.
enum class ClockAnswer { kWord, kWordZero, kRefusal, kForeign, kSilence };

struct ClockCase {
  const char* name;
  std::vector<ClockAnswer> answers;  // to the 1st, 2nd, ... clock frame sent
  bool nowait;
  Outcome outcome;
  std::optional<std::uint32_t> firmwareWord;
  std::size_t sent;
};

std::vector<Reply> AnswerClock(const std::vector<ClockAnswer>& answers, const Frame& frame,
                               int number) {
  const auto index = static_cast<std::size_t>(number - 1);
  switch (index < answers.size() ? answers[index] : ClockAnswer::kSilence) {
    case ClockAnswer::kWord:
      return {Ack(frame, 2, 5)};
    case ClockAnswer::kWordZero:
      return {Ack(frame, 0, 0, 0)};
    case ClockAnswer::kRefusal:
      return {Ack(frame, 3, 5)};
    case ClockAnswer::kForeign:
      return WrongSequence(frame, number);
    case ClockAnswer::kSilence:
      break;
  }
  return {};
}

TEST_F(ExchangeTest, ClockFrameExchangeRunsOnceMoreUnlessAcceptedWithAWord) {
  using A = ClockAnswer;
  const ClockCase cases[] = {
      {"word", {A::kWord}, false, Outcome::kAccepted, 0x0205, 1},
      {"word 0 twice", {A::kWordZero, A::kWordZero}, false, Outcome::kNoAnswer, std::nullopt, 2},
      {"word 0, then a word", {A::kWordZero, A::kWord}, false, Outcome::kAccepted, 0x0205, 2},
      {"refused, then a word", {A::kRefusal, A::kWord}, false, Outcome::kAccepted, 0x0205, 2},
      {"refused twice", {A::kRefusal, A::kRefusal}, false, Outcome::kRefused, std::nullopt, 2},
      {"silent with nowait", {}, true, Outcome::kAccepted, std::nullopt, 1},
      // Each exchange resends once on a foreign reply: four clock frames in all.
      {"foreign replies only", std::vector<A>(4, A::kForeign), false, Outcome::kNoAnswer,
       std::nullopt, 4},
  };
  for (const ClockCase& c : cases) {
    const std::size_t before = Sent();
    printer.answer = [&c, before](const Frame& frame, int number) {
      return AnswerClock(c.answers, frame, number - static_cast<int>(before));
    };
    job.nowait = c.nowait;
    const ExchangeResult result =
        FrameExchange(printer, replies, Settings()).ExchangeClockFrame(clock);
    EXPECT_EQ(result.outcome, c.outcome) << c.name;
    EXPECT_EQ(result.firmwareWord, c.firmwareWord) << c.name;
    EXPECT_EQ(Sent() - before, c.sent) << c.name;
  }
}

TEST(RecordFrame, AppendsOnlyToAnExistingFile) {
  testing::TempDir dir;
  const auto file = dir.write("out.bin", "ab");
  RecordFrame(file, Frame{1, 2, 3}, true);
  RecordFrame(file, Frame{1, 2, 3}, false);
  RecordFrame(file, Frame{1, 2}, true);
  EXPECT_EQ(testing::ReadBytes(file), std::string("ab\x01\x02\x03", 5));
  RecordFrame(dir / "missing.bin", Frame{1, 2, 3}, true);
  EXPECT_FALSE(std::filesystem::exists(dir / "missing.bin"));
}

}  // namespace
}  // namespace trel
