#pragma once

#include <string>
#include <vector>

namespace trel {

// What port discovery needs to know of one serial port present on the machine.
struct SerialPortInfo {
  std::string deviceName;   // "ttyUSB0"; "COM3" on Windows
  std::string devicePath;   // "/dev/ttyUSB0"; "\\.\COM3" on Windows
  std::string hardwareKey;  // "vid_067b&pid_2303" (lower case); empty without a USB parent
  std::string displayName;  // "Prolific USB-to-Serial Comm Port (ttyUSB0)"; empty when unknown
  // The USB adapter's serial number, "A10K3Z7Q", as the system knows it (Windows upper-cases it);
  // empty when the port has no USB parent or its adapter carries none.
  std::string serialNumber;
  // The configuration manager's problem code of the port's device (Windows' CM_PROB_*: 10, its
  // driver failed to start); 0 when the device works. Only Windows reports one.
  unsigned problemCode = 0;
};

// A USB device present on the machine that gives no serial port because its driver is missing or
// did not start: Windows lists it outside the "Ports" class, a printer's adapter with no driver
// installed (problem code 28) among them.
struct UsbDeviceProblem {
  std::string hardwareKey;   // "vid_067b&pid_2303" (lower case)
  std::string displayName;   // "USB-Serial Controller D"; empty when unknown
  unsigned problemCode = 0;  // never 0
};

// The serial ports present now: in natural order of their names (Linux); on Windows the present
// devices of the "Ports" setup class in the setup interface's order, at most the first twenty.
std::vector<SerialPortInfo> EnumerateSerialPorts();

// What lists the USB devices connected to this machine, for a hint: "`lsusb`", "Device Manager".
extern const char* const kUsbDeviceLister;

}  // namespace trel
