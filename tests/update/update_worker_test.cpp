#include "update/update_worker.h"

#include <gtest/gtest.h>

#include <future>

#include "platform/window_messages.h"
#include "support/temp_dir.h"
#include "tables/keyword_loader.h"
#include "tables/text_encoding.h"
#include "update/fake_printer.h"
#include "update/param_file.h"

namespace trel {
namespace {

using testing::ParamSectionText;

// The printer answers from its own thread, as the link's delivery thread does.
class UpdateWorkerTest : public ::testing::Test {
 protected:
  UpdateWorkerTest() {
    job.portName = "ttyUSB0";
    job.workingCopyPath =
        dir.write("TrelDefault.ini", ParamSectionText(1, "A") + ParamSectionText(2, "B"));
  }

  UpdateEnvironment Environment(std::chrono::milliseconds replyWait) {
    UpdateEnvironment environment{printer, replies, messages, boxes, encoding, loader, tables};
    environment.replyWait = replyWait;
    return environment;
  }

  std::intptr_t LastOutcome() const { return messages.posts().back().lParam; }

  testing::TempDir dir;
  testing::RecordedMessages messages;
  testing::RecordedBoxes boxes;
  ReplyChannel replies{messages};
  testing::FakePrinter printer{replies, true};
  TextEncoding encoding;
  KeywordLoader loader{encoding, boxes};
  KeywordTables tables;
  UpdateJob job;
  UpdateWorker worker;
};

TEST_F(UpdateWorkerTest, RunsOneJobAtATimeAndAnnouncesItsEnd) {
  std::promise<void> firstFrameWritten;
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  printer.answer = [&](const Frame& frame, int number) {
    if (number == 1) {
      firstFrameWritten.set_value();
      released.wait();
    }
    return std::vector<Reply>{testing::Ack(frame, 2, 2)};
  };
  std::promise<void> ended;
  ASSERT_TRUE(worker.Start(job, Environment(kReplyWait), [&] { ended.set_value(); }));
  firstFrameWritten.get_future().wait();
  EXPECT_TRUE(worker.IsRunning());
  EXPECT_FALSE(worker.Start(job, Environment(kReplyWait), {}));
  release.set_value();
  ended.get_future().wait();
  EXPECT_FALSE(worker.IsRunning());
  worker.Join();
  EXPECT_EQ(LastOutcome(), kJobSucceeded);
  EXPECT_EQ(worker.job().sequence, 6);
  EXPECT_EQ(printer.closeCount(), 1);

  // A finished worker takes the next job.
  ASSERT_TRUE(worker.Start(job, Environment(kReplyWait), {}));
  worker.Join();
  EXPECT_EQ(LastOutcome(), kJobSucceeded);
  EXPECT_EQ(printer.written().size(), 6u);
}

TEST_F(UpdateWorkerTest, ShutdownDuringAWaitEndsTheJobAtOnce) {
  std::promise<void> firstFrameWritten;
  printer.answer = [&](const Frame&, int number) {
    if (number == 1) {
      firstFrameWritten.set_value();
    }
    return std::vector<Reply>{};
  };
  // A wait this long would hang the test if shutting down did not wake the worker.
  ASSERT_TRUE(worker.Start(job, Environment(std::chrono::hours(1)), {}));
  firstFrameWritten.get_future().wait();
  replies.StopAccepting();
  printer.SerialClose();
  worker.Join();
  EXPECT_EQ(LastOutcome(), kJobFailed);
  EXPECT_LE(printer.written().size(), 2u);  // at most the clock frame's repeat got out
}

TEST_F(UpdateWorkerTest, RepliesFromTheDeliveryThreadAreEachCountedOnce) {
  job.nowait = false;
  ASSERT_TRUE(worker.Start(job, Environment(kReplyWait), {}));
  worker.Join();
  EXPECT_EQ(LastOutcome(), kJobSucceeded);
  const auto posts = messages.posts();
  const auto progressSteps = std::count_if(
      posts.begin(), posts.end(), [](const auto& post) { return post.wParam == kStatusReply; });
  EXPECT_EQ(progressSteps, 3);
}

}  // namespace
}  // namespace trel
