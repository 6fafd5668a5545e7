#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/system_facts.h"

namespace trel::testing {

// A machine as a test lays it out: device nodes, udev rules in force, running processes, USB
// devices without a working driver.
class FakeSystemFacts : public SystemFacts {
 public:
  DeviceNodeAccess deviceNodeAccess(const std::string& devicePath) const override {
    const auto node = nodes.find(devicePath);
    return node == nodes.end() ? DeviceNodeAccess{} : node->second;
  }
  std::vector<UdevRulesFile> udevRules() const override { return rules; }
  bool processRunning(const std::string& name) const override { return processes.contains(name); }
  std::vector<UsbDeviceProblem> usbDeviceProblems() const override { return devicesWithProblems; }

  std::map<std::string, DeviceNodeAccess> nodes;
  std::vector<UdevRulesFile> rules;
  std::set<std::string> processes;
  std::vector<UsbDeviceProblem> devicesWithProblems;
};

}  // namespace trel::testing
