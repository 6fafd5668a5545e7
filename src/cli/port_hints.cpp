#include "cli/port_hints.h"

#include <algorithm>

#include "cli/udev_rules_scan.h"
#include "link/adapter_hints.h"
#include "link/port_discovery.h"

namespace trel {
namespace {

const UsbId kCp210x{"10c4", "ea60"};
constexpr char kRulesFileName[] = "70-trel-update.rules";

bool Qualifies(const SerialPortInfo& port) {
  return QualifyingPortName(port).has_value();
}

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

std::string BrlttyHint() {
  return "brltty is installed and its udev rules claim CP210x adapters (10c4:ea60), so such a "
         "printer's port vanishes as soon as it is plugged in: unless a braille display is used "
         "here, remove it (`sudo apt-get remove brltty`) and plug the printer in again";
}

// Why the user may not open the port, and what lets them.
std::string AccessHint(const SerialPortInfo& port, const DeviceNodeAccess& access,
                       bool ruleGrantsAccess) {
  const std::string group = Quoted(access.group);
  if (access.inGroupNow) {
    return "you cannot open " + port.devicePath + " although you are in its group " + group +
           ": its permissions shut the group out (see `ls -l " + port.devicePath + "`)";
  }
  if (access.inGroupAtNextLogin) {
    return "you cannot open " + port.devicePath + ": you were added to its group " + group +
           " after you logged in; log out and in again";
  }
  if (ruleGrantsAccess) {
    return "you cannot open " + port.devicePath +
           ": a udev rule gives access to the user logged in at this machine's own screen, which "
           "this session is not (or the adapter was plugged in before the rule was installed: "
           "plug it in again); else join its group: `sudo usermod -aG " +
           access.group + " $USER`, then log in again";
  }
  return "you cannot open " + port.devicePath + ": you are not in its group " + group +
         " and no udev rule gives you access; install the trel-update package (its rule " +
         kRulesFileName +
         " gives the logged-in user access) or join the group: `sudo usermod -aG " + access.group +
         " $USER`, then log in again";
}

std::string InUseHint(const SerialPortInfo& port) {
  return port.deviceName +
         " is in use by another program: close the program that has it open (a terminal "
         "program, another trel-update or trel), then try again";
}

std::string ModemManagerHint(const SerialPortInfo& port) {
  return "ModemManager is running and no udev rule tells it to leave " + port.devicePath +
         " alone, so it may probe the printer's port and hold it for a while after it is plugged "
         "in: install the trel-update package (its rule " +
         kRulesFileName + " sets ID_MM_DEVICE_IGNORE)";
}

}  // namespace

std::vector<std::string> PortHints(const std::vector<SerialPortInfo>& ports,
                                   const SystemFacts& facts) {
  std::vector<std::string> hints;
  for (const AdapterHint& hint : AdapterHints(ports, facts.usbDeviceProblems())) {
    hints.push_back(hint.text());
  }
  const UdevRulesScan rules(facts.udevRules());
  if (std::ranges::none_of(ports, Qualifies) && rules.claimedByBrltty(kCp210x)) {
    hints.push_back(BrlttyHint());
  }
  const bool modemManagerRuns = facts.processRunning("ModemManager");
  for (const SerialPortInfo& port : ports) {
    const std::optional<UsbId> id = UsbIdOfHardwareKey(port.hardwareKey);
    if (!id || !Qualifies(port)) {
      continue;
    }
    const DeviceNodeAccess access = facts.deviceNodeAccess(port.devicePath);
    if (access.exists && !access.userCanOpen) {
      hints.push_back(AccessHint(port, access, rules.grantsAccess(*id)));
    }
    if (access.heldByAnotherProgram) {
      hints.push_back(InUseHint(port));
    }
    if (modemManagerRuns && !rules.keepsModemManagerAway(*id)) {
      hints.push_back(ModemManagerHint(port));
    }
  }
  return hints;
}

}  // namespace trel
