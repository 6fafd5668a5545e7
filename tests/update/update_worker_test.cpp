#include "update/update_worker.h"

#include <gtest/gtest.h>

#include <future>

#include "update/job_bench.h"

namespace trel {
namespace {

// The printer answers from its own thread, as the link's delivery thread does.
class UpdateWorkerTest : public ::testing::Test, public testing::JobBench {
 protected:
  UpdateWorkerTest() : JobBench(true) {}

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
  const auto posts = frontEnd.posts();  // one progress step per reply, then the outcome
  EXPECT_EQ(std::count_if(posts.begin(), posts.end(),
                          [](const auto& post) { return post.wParam == kStatusReply; }),
            3);
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

}  // namespace
}  // namespace trel
