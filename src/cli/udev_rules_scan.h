#pragma once

#include <optional>
#include <string>
#include <vector>

#include "link/port_discovery.h"
#include "platform/system_facts.h"

namespace trel {

// What the udev rules in force do with an adapter. A rule counts when one rule (one logical line)
// names the adapter by its vendor and product, as attributes (ATTRS{idVendor}=="067b" with
// ATTRS{idProduct}=="2303"), as properties (ENV{ID_VENDOR_ID}, ENV{ID_MODEL_ID}) or as the USB
// product property (ENV{PRODUCT}=="67b/2303/*").
class UdevRulesScan {
 public:
  explicit UdevRulesScan(const std::vector<UdevRulesFile>& files);

  // A rule tags the adapter's ports "uaccess": the user logged in at the machine may open them.
  bool grantsAccess(const UsbId& id) const;
  // A rule sets ID_MM_DEVICE_IGNORE: ModemManager leaves the adapter alone.
  bool keepsModemManagerAway(const UsbId& id) const;
  // A rule of brltty's names the adapter: brltty takes it as a braille display when it appears.
  bool claimedByBrltty(const UsbId& id) const;

 private:
  struct Rule {
    std::string file;
    std::string text;  // lower case, without blanks
  };
  bool anyRuleNaming(const UsbId& id, const std::string& action, bool brlttyOnly) const;

  std::vector<Rule> rules_;
};

}  // namespace trel
