#include "update/outcome.h"

#include <gtest/gtest.h>

#include "platform/window_messages.h"

namespace trel {
namespace {

TEST(Outcome, FailureTextDependsOnTheLongestReplyAndTheBarStopsAt99) {
  EXPECT_EQ(OutcomeText(kJobPortNotOpened, 40), "Sorry,can't open the port,please try again.");
  EXPECT_EQ(OutcomeText(kJobFailed, 30), "Please try again or check the port.");
  EXPECT_EQ(OutcomeText(kJobFailed, 31), "Maybe the port have some other data,please try again.");
  int steps = 0;
  std::optional<int> shown;
  for (int reply = 0; reply < 150; ++reply) {
    shown = AdvanceProgress(steps).value_or(shown.value_or(0));
  }
  EXPECT_EQ(shown, 99);
}

}  // namespace
}  // namespace trel
