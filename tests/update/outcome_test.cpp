#include "update/outcome.h"

#include <gtest/gtest.h>

#include "platform/window_messages.h"
#include "support/temp_dir.h"
#include "update/start_checks.h"

namespace trel {
namespace {

TEST(OutcomeText, ChoosesTheFailureTextByTheLongestReply) {
  EXPECT_EQ(OutcomeText(kJobSucceeded, 40), "Download success.");
  EXPECT_EQ(OutcomeText(kJobPortNotOpened, 40), "Sorry,can't open the port,please try again.");
  EXPECT_EQ(OutcomeText(kJobFailed, 30), "Please try again or check the port.");
  EXPECT_EQ(OutcomeText(kJobFailed, 31), "Maybe the port have some other data,please try again.");
}

TEST(AdvanceProgress, BarStopsAtNinetyNineUntilSuccess) {
  int steps = 0;
  std::optional<int> shown;
  for (int reply = 0; reply < 150; ++reply) {
    if (const std::optional<int> position = AdvanceProgress(steps)) {
      shown = position;
    }
  }
  EXPECT_EQ(shown, 99);
  EXPECT_EQ(steps, 150);
}

TEST(StartChecks, RefusalsInTheirOrder) {
  StartChoices choices;
  EXPECT_EQ(CheckStartChoices(choices).refusal, "Please select Ini file first.");
  choices.paramFilePath = "/home/op/params.ini";
  EXPECT_EQ(CheckStartChoices(choices).refusal, "No find com port.");
  choices.portFound = true;
  EXPECT_EQ(CheckStartChoices(choices).refusal, "No port be selected.");
  choices.selectedPortEntry = "ttyUSB1";
  choices.portSelectorText = "ttyUSB0";
  const StartDecision decision = CheckStartChoices(choices);
  EXPECT_FALSE(decision.refused());
  EXPECT_TRUE(decision.portChecked);
  EXPECT_EQ(decision.portName, "ttyUSB1");
}

TEST(StartChecks, NoPortSaveWithASaveBoxSkipsThePortChecks) {
  StartChoices choices;
  choices.paramFilePath = "params.ini";
  choices.noPortSave = true;
  EXPECT_EQ(CheckStartChoices(choices).refusal, "No find com port.");
  choices.saveXmlData = true;
  const StartDecision decision = CheckStartChoices(choices);
  EXPECT_FALSE(decision.refused());
  EXPECT_FALSE(decision.portChecked);
}

TEST(StartChecks, BaudRateAndOutputFile) {
  EXPECT_EQ(BaudRateForSelectorIndex(0), 9600u);
  EXPECT_EQ(BaudRateForSelectorIndex(1), 38400u);
  EXPECT_EQ(BaudRateForSelectorIndex(-1), 115200u);
  testing::TempDir dir;
  const auto file = dir.write("out.bin", "old frames");
  EXPECT_TRUE(CreateOutputFile(file));
  EXPECT_EQ(testing::ReadBytes(file), "");
  EXPECT_FALSE(CreateOutputFile(dir / "no-such-folder" / "out.bin"));
}

}  // namespace
}  // namespace trel
