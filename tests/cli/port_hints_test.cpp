// `trel ports` on a fake sysfs and a fake machine: each hint appears when, and only when, what it
// explains is there.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/fake_system_facts.h"
#include "cli/ports_command.h"
#include "platform/serial_port_enumeration_linux.h"
#include "support/fake_sysfs.h"
#include "support/temp_dir.h"

namespace trel::testing {
namespace {

const FakeUsbPort kPl2303{"ttyUSB0", "pl2303", "067b", "2303", "", 0, ""};
const FakeUsbPort kFtdi{"ttyUSB1", "ftdi_sio", "0403", "6001", "FT232R USB UART", 0, ""};

// Our own rules file as the package installs it.
UdevRulesFile PackagedRules() {
  return {"70-trel-update.rules", ReadBytes(TREL_UDEV_RULES_FILE)};
}

class PortHintsTest : public ::testing::Test {
 protected:
  // The hint lines `trel ports` prints.
  std::vector<std::string> hints() const {
    std::ostringstream out;
    RunPorts(EnumerateSerialPortsBelow(sysfs.root()), facts, out);
    std::vector<std::string> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) {
      if (line.starts_with("hint: ")) {
        lines.push_back(line);
      }
    }
    return lines;
  }
  std::string onlyHint() const {
    const std::vector<std::string> all = hints();
    EXPECT_EQ(all.size(), 1u) << ::testing::PrintToString(all);
    return all.empty() ? std::string() : all.front();
  }
  void printerPortIsClosedToTheUser(bool inGroupAtNextLogin = false) {
    facts.nodes["/dev/ttyUSB0"] = {.exists = true,
                                   .userCanOpen = false,
                                   .group = "dialout",
                                   .inGroupNow = false,
                                   .inGroupAtNextLogin = inGroupAtNextLogin};
  }

  TempDir dir;
  FakeSysfs sysfs{dir / "sys"};
  FakeSystemFacts facts;
};

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST_F(PortHintsTest, NoHintWhenThePrinterPortIsThereAndOpen) {
  sysfs.addUsbPort(kPl2303);
  facts.nodes["/dev/ttyUSB0"] = {.exists = true, .userCanOpen = true, .group = "dialout"};
  EXPECT_TRUE(hints().empty());
}

TEST_F(PortHintsTest, NoUsbSerialAdapterAtAll) {
  EXPECT_TRUE(Has(onlyHint(), "no USB serial adapter is present"));
  sysfs.addBoardPort("ttyS0");
  EXPECT_TRUE(Has(onlyHint(), "no USB serial adapter is present"));
  // An adapter that no printer uses is still an adapter: the hint would send the operator looking
  // for a cable that is plugged in.
  sysfs.addUsbPort(kFtdi);
  EXPECT_TRUE(hints().empty());
}

TEST_F(PortHintsTest, BrlttyClaimingCp210xWhileNoPortQualifies) {
  sysfs.addBoardPort("ttyS0");
  for (const char* rule :
       {"ENV{PRODUCT}==\"10c4/ea60/*\", ATTRS{manufacturer}==\"Silicon Labs\", GOTO=\"run\"",
        "SUBSYSTEM==\"usb\", ATTRS{idVendor} == \"10C4\", \\\n"
        "  ATTRS{idProduct}==\"EA60\", ENV{BRLTTY_BRAILLE_DRIVER}=\"sk\""}) {
    facts.rules = {{"85-brltty.rules", rule}};
    const std::vector<std::string> all = hints();
    ASSERT_EQ(all.size(), 2u) << rule;  // the adapter is gone, so no adapter is present either
    EXPECT_TRUE(Has(all[1], "brltty is installed and its udev rules claim CP210x")) << all[1];
  }
  // Masked by an empty file of the same name, or naming other devices only: nothing to say.
  facts.rules = {{"85-brltty.rules", ""}};
  EXPECT_EQ(hints().size(), 1u);
  facts.rules = {{"85-brltty.rules", "ENV{PRODUCT}==\"10c4/ea61/*\", GOTO=\"run\""}};
  EXPECT_EQ(hints().size(), 1u);
  // Another package's rule for the same adapter is no brltty rule.
  facts.rules = {{"60-other.rules", "ENV{PRODUCT}==\"10c4/ea60/*\", GOTO=\"run\""}};
  EXPECT_EQ(hints().size(), 1u);
  // A printer's port qualifies: brltty does not keep it away.
  facts.rules = {{"85-brltty.rules", "ENV{PRODUCT}==\"10c4/ea60/*\", GOTO=\"run\""}};
  sysfs.addUsbPort(kPl2303);
  EXPECT_TRUE(hints().empty());
}

TEST_F(PortHintsTest, PrinterPortTheUserMayNotOpen) {
  sysfs.addUsbPort(kPl2303);
  printerPortIsClosedToTheUser();
  const std::string hint = onlyHint();
  EXPECT_TRUE(Has(hint,
                  "you cannot open /dev/ttyUSB0: you are not in its group \"dialout\" and "
                  "no udev rule gives you access"))
      << hint;
  EXPECT_TRUE(Has(hint, "sudo usermod -aG dialout $USER")) << hint;

  // Listed in the group, but this login started before: logging in again is the whole fix.
  printerPortIsClosedToTheUser(true);
  EXPECT_TRUE(Has(onlyHint(), "you were added to its group \"dialout\" after you logged in"));

  // The rule is there, yet the port stays closed: this session is not the one at the screen.
  printerPortIsClosedToTheUser();
  facts.rules = {PackagedRules()};
  EXPECT_TRUE(Has(onlyHint(), "a udev rule gives access to the user logged in at this machine"));
}

TEST_F(PortHintsTest, OnlyPrinterPortsAreCheckedForAccess) {
  sysfs.addUsbPort(kFtdi);
  facts.nodes["/dev/ttyUSB1"] = {.exists = true, .userCanOpen = false, .group = "dialout"};
  EXPECT_TRUE(hints().empty());
}

TEST_F(PortHintsTest, ModemManagerRunningWithoutARuleForThePrinterPort) {
  sysfs.addUsbPort(kPl2303);
  facts.processes = {"ModemManager"};
  EXPECT_TRUE(Has(onlyHint(),
                  "ModemManager is running and no udev rule tells it to leave "
                  "/dev/ttyUSB0 alone"));
  facts.rules = {PackagedRules()};
  EXPECT_TRUE(hints().empty());
  facts.rules.clear();
  facts.processes.clear();
  EXPECT_TRUE(hints().empty());
}

}  // namespace
}  // namespace trel::testing
