// The machine's facts as `trel ports` reads them, from a machine laid out below a test folder.
#include <grp.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/system_facts_linux.h"
#include "support/temp_dir.h"

namespace trel {
namespace {

namespace fs = std::filesystem;

class SystemFactsLinuxTest : public ::testing::Test {
 protected:
  void write(const fs::path& relative, const std::string& text) {
    fs::create_directories((root / relative).parent_path());
    dir.write((fs::path("root") / relative).string(), text);
  }

  testing::TempDir dir;
  fs::path root = dir / "root";
  std::unique_ptr<SystemFacts> facts = SystemFactsBelow(root);
};

TEST_F(SystemFactsLinuxTest, UdevRulesAsUdevAppliesThem) {
  write("usr/lib/udev/rules.d/85-brltty.rules", "packaged brltty");
  write("lib/udev/rules.d/70-trel-update.rules", "ours");
  write("lib/udev/rules.d/README", "not a rules file");
  write("usr/lib/udev/rules.d/60-serial.rules", "packaged serial");
  write("run/udev/rules.d/60-serial.rules", "runtime serial");
  // The administrator masks brltty's rules with a link to /dev/null.
  fs::create_directories(root / "etc/udev/rules.d");
  fs::create_symlink("/dev/null", root / "etc/udev/rules.d/85-brltty.rules");

  const auto rules = facts->udevRules();
  ASSERT_EQ(rules.size(), 3u);
  EXPECT_EQ(rules[0].name, "60-serial.rules");
  EXPECT_EQ(rules[0].text, "runtime serial");
  EXPECT_EQ(rules[1].name, "70-trel-update.rules");
  EXPECT_EQ(rules[1].text, "ours");
  EXPECT_EQ(rules[2].name, "85-brltty.rules");
  EXPECT_EQ(rules[2].text, "");
}

TEST_F(SystemFactsLinuxTest, RunningProcessesByTheirCommandName) {
  write("proc/812/comm", "ModemManager\n");
  write("proc/self/comm", "trel\n");
  EXPECT_TRUE(facts->processRunning("ModemManager"));
  EXPECT_FALSE(facts->processRunning("Modem"));
  EXPECT_FALSE(facts->processRunning("trel"));  // "self" is no process of its own
}

TEST_F(SystemFactsLinuxTest, DeviceNodeAccessOfTheProcess) {
  EXPECT_FALSE(facts->deviceNodeAccess("/dev/ttyUSB0").exists);
  write("dev/ttyUSB0", "");
  const DeviceNodeAccess own = facts->deviceNodeAccess("/dev/ttyUSB0");
  EXPECT_TRUE(own.exists);
  EXPECT_TRUE(own.userCanOpen);
  EXPECT_TRUE(own.inGroupNow);
  const group* ownGroup = ::getgrgid(::getegid());
  ASSERT_NE(ownGroup, nullptr);
  EXPECT_EQ(own.group, ownGroup->gr_name);
}

TEST_F(SystemFactsLinuxTest, DeviceNodeOfAGroupTheUserIsNotIn) {
  write("dev/ttyUSB0", "");
  const group* dialout = ::getgrnam("dialout");
  // Only the superuser may give a file a group it is not in itself.
  if (dialout == nullptr || ::chown((root / "dev/ttyUSB0").c_str(), -1, dialout->gr_gid) != 0 ||
      ::getegid() == dialout->gr_gid) {
    GTEST_SKIP() << "needs the superuser and a group \"dialout\" it is not in";
  }
  const DeviceNodeAccess access = facts->deviceNodeAccess("/dev/ttyUSB0");
  EXPECT_EQ(access.group, "dialout");
  EXPECT_FALSE(access.inGroupNow);
  EXPECT_FALSE(access.inGroupAtNextLogin);
}

}  // namespace
}  // namespace trel
