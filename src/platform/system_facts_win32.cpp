#include "platform/serial_port_enumeration_win32.h"
#include "platform/serial_port_open_win32.h"
#include "platform/system_facts.h"

namespace trel {

namespace {

// Windows has no device nodes with groups, no udev and no modem manager that takes serial ports.
// What keeps a printer away there is a driver that is missing or failed, and another program
// holding the port.
class WindowsSystemFacts : public SystemFacts {
 public:
  DeviceNodeAccess deviceNodeAccess(const std::string& devicePath) const override {
    DeviceNodeAccess access;
    access.exists = true;
    access.userCanOpen = true;
    access.heldByAnotherProgram = HeldByAnotherProgram(devicePath);
    return access;
  }
  std::vector<UdevRulesFile> udevRules() const override { return {}; }
  bool processRunning(const std::string&) const override { return false; }
  std::vector<UsbDeviceProblem> usbDeviceProblems() const override {
    return EnumerateUsbDeviceProblems();
  }
};

}  // namespace

std::unique_ptr<SystemFacts> LocalSystemFacts() {
  return std::make_unique<WindowsSystemFacts>();
}

}  // namespace trel
