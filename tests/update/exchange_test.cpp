#include "update/exchange.h"

#include <gtest/gtest.h>

#include "update/job_bench.h"
#include "update/record_frame.h"

namespace trel {
namespace {

using testing::Ack;

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
  ExchangeResult Exchange() {
    return FrameExchange(printer, replies, Settings()).ExchangeFrame(data, false);
  }
  std::size_t Sent() const { return printer.written().size(); }

  const Frame data = BuildFrame(9, kCommandParameterData, 0, Reply{7}, false);
};

TEST_F(ExchangeTest, ForeignReplyCausesExactlyOneResend) {
  printer.answer = WrongSequence;
  EXPECT_EQ(Exchange(), std::nullopt);
  EXPECT_EQ(Sent(), 2u);
  printer.answer = [](const Frame& frame, int number) {
    return number % 2 == 1 ? WrongSequence(frame, number) : std::vector<Reply>{Ack(frame)};
  };
  EXPECT_EQ(Exchange(), ExchangeResult(1));
  EXPECT_EQ(Sent(), 4u);
  job.nowait = true;  // nowait takes the foreign reply as good enough
  printer.answer = WrongSequence;
  EXPECT_EQ(Exchange(), ExchangeResult(1));
  EXPECT_EQ(Sent(), 5u);
}

TEST_F(ExchangeTest, RefusalAndSilenceAreNeverResent) {
  printer.answer = [](const Frame& frame, int) { return std::vector<Reply>{Ack(frame, 3)}; };
  EXPECT_EQ(Exchange(), std::nullopt);
  printer.answer = Silence;
  EXPECT_EQ(Exchange(), std::nullopt);
  job.nowait = true;
  EXPECT_EQ(Exchange(), ExchangeResult(1));
  EXPECT_EQ(Sent(), 3u);
}

TEST_F(ExchangeTest, StaleRepliesAreDiscardedOldestFirst) {
  const Reply stale = WrongSequence(data, 1)[0];
  replies.OnReply(40, Reply(40, 0).data());
  replies.OnReply(static_cast<std::uint32_t>(stale.size()), stale.data());
  EXPECT_EQ(replies.longestReply(), 40u);
  EXPECT_EQ(Exchange(), ExchangeResult(1));
  EXPECT_EQ(Sent(), 1u);
  EXPECT_EQ(replies.longestReply(), 8u);  // counted from the exchange's start
}

TEST_F(ExchangeTest, NothingGoesOutInFileOnlyModeOrAfterShutdown) {
  job.fileOnly = true;
  EXPECT_EQ(Exchange(), ExchangeResult(1));
  job.fileOnly = false;
  replies.StopAccepting();
  EXPECT_EQ(Exchange(), std::nullopt);
  EXPECT_EQ(replies.OnReply(1, data.data()), 0);
  EXPECT_EQ(Sent(), 0u);
}

TEST_F(ExchangeTest, RealReplyWaitRunsOut) {
  printer.answer = Silence;
  EXPECT_EQ(FrameExchange(printer, replies, {}).ExchangeFrame(data, false), std::nullopt);
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
