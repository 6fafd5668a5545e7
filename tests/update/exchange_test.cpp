#include "update/exchange.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "update/fake_printer.h"

namespace trel {
namespace {

using testing::Ack;
using testing::FakePrinter;
using testing::ReadBytes;
using testing::RecordedMessages;
using testing::TempDir;

constexpr std::chrono::milliseconds kShortWait{30};

Reply WrongSequence(const Frame& frame) {
  Reply reply = Ack(frame);
  reply[2] = static_cast<std::uint8_t>(reply[2] + 1);
  return reply;
}

class ExchangeTest : public ::testing::Test {
 protected:
  ExchangeTest() { printer.SerialOpen("ttyUSB0"); }

  ExchangeResult Exchange(const Frame& frame, bool nowait = false, bool fileOnly = false) {
    ExchangeSettings settings;
    settings.nowait = nowait;
    settings.fileOnly = fileOnly;
    settings.replyWait = kShortWait;
    FrameExchange exchange(printer, replies, settings);
    return exchange.ExchangeFrame(frame, false);
  }

  RecordedMessages messages;
  ReplyChannel replies{messages};
  FakePrinter printer{replies};
  const Frame data = BuildFrame(9, kCommandParameterData, 0, std::vector<std::uint8_t>{7}, false);
};

TEST_F(ExchangeTest, AcknowledgedFrameGivesOneAndTheClockFrameItsWord) {
  EXPECT_EQ(Exchange(data), ExchangeResult(1));
  printer.firmwareLevel = 0;
  printer.itemsNeeded = 0;
  EXPECT_EQ(Exchange(BuildFrame(kFirstSequence, kCommandClock, 0x25, {}, false)),
            ExchangeResult(0));  // a word of 0 is an answer, not a failure
  EXPECT_EQ(printer.written().size(), 2u);
}

TEST_F(ExchangeTest, ForeignReplyCausesExactlyOneResend) {
  printer.answer = [](const Frame& frame, int) { return std::vector<Reply>{WrongSequence(frame)}; };
  EXPECT_EQ(Exchange(data), std::nullopt);
  EXPECT_EQ(printer.written().size(), 2u);

  printer.answer = [](const Frame& frame, int number) {
    return std::vector<Reply>{number % 2 == 1 ? WrongSequence(frame) : Ack(frame)};
  };
  EXPECT_EQ(Exchange(data), ExchangeResult(1));
  EXPECT_EQ(printer.written().size(), 4u);
}

TEST_F(ExchangeTest, RefusalEndsAtOnceWithoutResend) {
  printer.answer = [](const Frame& frame, int) { return std::vector<Reply>{Ack(frame, 3)}; };
  EXPECT_EQ(Exchange(data), std::nullopt);
  EXPECT_EQ(printer.written().size(), 1u);
}

TEST_F(ExchangeTest, SilenceFailsUnlessNowaitAndIsNeverResent) {
  printer.answer = [](const Frame&, int) { return std::vector<Reply>{}; };
  EXPECT_EQ(Exchange(data), std::nullopt);
  EXPECT_EQ(Exchange(data, true), ExchangeResult(1));
  EXPECT_EQ(printer.written().size(), 2u);
}

TEST_F(ExchangeTest, NowaitAcceptsAForeignReplyWithoutResend) {
  printer.answer = [](const Frame& frame, int) { return std::vector<Reply>{WrongSequence(frame)}; };
  EXPECT_EQ(Exchange(data, true), ExchangeResult(1));
  EXPECT_EQ(printer.written().size(), 1u);
}

TEST_F(ExchangeTest, StaleRepliesAreDiscardedOldestFirst) {
  const Reply stale = WrongSequence(data);
  replies.OnReply(static_cast<std::uint32_t>(stale.size()), stale.data());
  EXPECT_EQ(Exchange(data), ExchangeResult(1));
  EXPECT_EQ(printer.written().size(), 1u);
  EXPECT_EQ(replies.queuedCount(), 0u);
}

TEST_F(ExchangeTest, FailedWriteFails) {
  printer.SerialClose();
  EXPECT_EQ(Exchange(data), std::nullopt);
}

TEST_F(ExchangeTest, NothingIsSentOnceTheFrontEndShutsDown) {
  replies.StopAccepting();
  EXPECT_EQ(Exchange(data, true), std::nullopt);
  EXPECT_TRUE(printer.written().empty());
}

TEST_F(ExchangeTest, FileOnlyNeverWritesThePort) {
  printer.SerialClose();
  EXPECT_EQ(Exchange(data, false, true), ExchangeResult(1));
  EXPECT_TRUE(printer.written().empty());
}

TEST_F(ExchangeTest, LongestReplyCountsFromTheExchangeStart) {
  const Reply noise(40, 0x00);
  replies.OnReply(static_cast<std::uint32_t>(noise.size()), noise.data());
  EXPECT_EQ(replies.longestReply(), 40u);
  Exchange(data);
  EXPECT_EQ(replies.longestReply(), 8u);
}

TEST_F(ExchangeTest, RealReplyWaitRunsOutAfterItsDefault) {
  printer.answer = [](const Frame&, int) { return std::vector<Reply>{}; };
  FrameExchange exchange(printer, replies, {});
  EXPECT_EQ(exchange.ExchangeFrame(data, false), std::nullopt);
  EXPECT_EQ(printer.written().size(), 1u);
}

TEST(RecordFrame, AppendsOnlyToAnExistingFile) {
  TempDir dir;
  const auto file = dir.write("out.bin", "ab");
  const Frame frame{1, 2, 3};
  RecordFrame(file, frame, true);
  RecordFrame(file, frame, false);
  RecordFrame(file, Frame{1, 2}, true);
  EXPECT_EQ(ReadBytes(file), std::string("ab\x01\x02\x03", 5));

  RecordFrame(dir / "missing.bin", frame, true);
  EXPECT_FALSE(std::filesystem::exists(dir / "missing.bin"));
  RecordFrame({}, frame, true);
}

TEST(ReplyChannel, PostsAProgressStepPerReplyUntilShutdown) {
  RecordedMessages messages;
  ReplyChannel replies(messages);
  const std::uint8_t bytes[] = {1, 2, 3};
  EXPECT_EQ(replies.OnReply(3, bytes), 3);
  EXPECT_EQ(replies.OnReply(2, bytes + 1), 2);
  EXPECT_EQ(replies.TakeOldest(), (Reply{1, 2, 3}));
  replies.StopAccepting();
  EXPECT_EQ(replies.OnReply(3, bytes), 0);
  EXPECT_TRUE(replies.WaitForReply(std::chrono::milliseconds(0)));  // the sender is woken
  ASSERT_EQ(messages.posts().size(), 2u);
  EXPECT_EQ(messages.posts()[0].message, WM_UPDATE_STATUS);
  EXPECT_EQ(messages.posts()[0].wParam, kStatusReply);
  replies.Clear();
  EXPECT_EQ(replies.TakeOldest(), std::nullopt);
}

}  // namespace
}  // namespace trel
