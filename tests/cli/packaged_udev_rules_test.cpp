// The udev rules the package installs cover exactly the adapters the port scan looks for.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <utility>

#include "cli/udev_rules_scan.h"
#include "link/port_discovery.h"
#include "support/temp_dir.h"

namespace trel::testing {
namespace {

// The vendor and product ids the rules file names.
std::set<std::pair<std::string, std::string>> NamedIds(const std::string& rules) {
  std::set<std::pair<std::string, std::string>> ids;
  const std::regex attributes(R"re(ATTRS\{idVendor\}=="(\w{4})", ATTRS\{idProduct\}=="(\w{4})")re");
  for (std::sregex_iterator match(rules.begin(), rules.end(), attributes);
       match != std::sregex_iterator(); ++match) {
    ids.insert({(*match)[1], (*match)[2]});
  }
  return ids;
}

// A port of that adapter with a name the scan recognises.
SerialPortInfo AdapterPort(const std::string& vendor, const std::string& product) {
  return {"ttyUSB0", "/dev/ttyUSB0", "vid_" + vendor + "&pid_" + product,
          "USB-to-Serial Comm Port (ttyUSB0)", ""};
}

TEST(PackagedUdevRules, GiveAccessAndKeepModemManagerOffEachAdapterOfTheScan) {
  const std::string text = ReadBytes(TREL_UDEV_RULES_FILE);
  const auto ids = NamedIds(text);
  ASSERT_EQ(ids.size(), 4u) << text;
  const UdevRulesScan rules({{"70-trel-update.rules", text}});
  for (const auto& [vendor, product] : ids) {
    EXPECT_TRUE(QualifyingPortName(AdapterPort(vendor, product))) << vendor << ":" << product;
    EXPECT_TRUE(rules.grantsAccess({vendor, product})) << vendor << ":" << product;
    EXPECT_TRUE(rules.keepsModemManagerAway({vendor, product})) << vendor << ":" << product;
  }
  EXPECT_FALSE(QualifyingPortName(AdapterPort("0403", "6001")));  // the check itself can fail
  EXPECT_FALSE(rules.grantsAccess({"0403", "6001"}));
}

}  // namespace
}  // namespace trel::testing
