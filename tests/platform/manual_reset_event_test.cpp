#include "platform/manual_reset_event.h"

#include <gtest/gtest.h>

#include <thread>

namespace trel {
namespace {

using std::chrono::milliseconds;

TEST(ManualResetEventTest, StaysSignalledUntilReset) {
  ManualResetEvent event;
  EXPECT_FALSE(event.IsSet());
  event.Set();
  EXPECT_TRUE(event.Wait(milliseconds(0)));
  EXPECT_TRUE(event.Wait(milliseconds(0)));  // waking a waiter does not reset it
  event.Reset();
  EXPECT_FALSE(event.IsSet());
  EXPECT_TRUE(ManualResetEvent(true).IsSet());
}

TEST(ManualResetEventTest, WaitRunsOutWhenNobodySets) {
  const ManualResetEvent event;
  EXPECT_FALSE(event.Wait(milliseconds(20)));
}

TEST(ManualResetEventTest, SetFromAnotherThreadWakesEveryWaiter) {
  ManualResetEvent event;
  ManualResetEvent started;
  std::thread first([&] { event.Wait(); });
  std::thread second([&] {
    started.Set();
    EXPECT_TRUE(event.Wait(milliseconds(60000)));
  });
  started.Wait();
  event.Set();
  first.join();
  second.join();
  EXPECT_TRUE(event.IsSet());
}

}  // namespace
}  // namespace trel
