#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/serial_port_enumeration.h"

namespace trel {

// Whether the user running the tool may open a device node, and what decides it.
struct DeviceNodeAccess {
  bool exists = false;
  bool userCanOpen = false;         // reading and writing allowed (modes, groups, access lists)
  std::string group;                // the node's group, "dialout"
  bool inGroupNow = false;          // this process holds the group
  bool inGroupAtNextLogin = false;  // the account database lists the user in the group
  // Another program has the port open (Windows, where opening it for an instant tells).
  bool heldByAnotherProgram = false;
};

// One rules file as the device manager (udev) applies it: its file name and its text.
struct UdevRulesFile {
  std::string name;  // "70-trel-update.rules"
  std::string text;  // empty for a file masked by an empty one or a link to /dev/null
};

// What the machine says about reaching a serial port beyond the port itself, so that `trel ports`
// can tell the operator why a printer's port is missing or cannot be opened. Tests put a fake in
// its place.
class SystemFacts {
 public:
  virtual ~SystemFacts() = default;
  // `devicePath` as the port enumeration gives it, "/dev/ttyUSB0".
  virtual DeviceNodeAccess deviceNodeAccess(const std::string& devicePath) const = 0;
  // The rules files in force, in the order they are applied (by name): of several files with one
  // name, the one in the folder that takes precedence.
  virtual std::vector<UdevRulesFile> udevRules() const = 0;
  // Whether a process of that command name ("ModemManager") runs now.
  virtual bool processRunning(const std::string& name) const = 0;
  // The USB devices present whose driver is missing or did not start, so that they give no port
  // (Windows; none on Linux, where a USB serial adapter without its driver is not looked for).
  virtual std::vector<UsbDeviceProblem> usbDeviceProblems() const = 0;
};

// The facts of the machine the tool runs on.
std::unique_ptr<SystemFacts> LocalSystemFacts();

}  // namespace trel
