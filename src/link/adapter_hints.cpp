#include "link/adapter_hints.h"

#include <algorithm>
#include <cctype>

#include "link/port_discovery.h"
#include "platform/system_facts.h"

namespace trel {
namespace {

constexpr char kProlificKey[] = "vid_067b&pid_2303";

bool HasUsbParent(const SerialPortInfo& port) {
  return UsbIdOfHardwareKey(port.hardwareKey).has_value();
}

bool IsPrinterAdapterDevice(const UsbDeviceProblem& device) {
  return IsKnownHardwareKey(device.hardwareKey);
}

bool IsOffered(const SerialPortInfo& port) {
  return !QualifyingPortName(port).value_or("").empty();
}

// "\"Prolific USB-to-Serial Comm Port (COM3)\" (067b:2303)"; without a name "the USB device
// 067b:2303".
std::string DeviceNamed(const std::string& displayName, const std::string& hardwareKey) {
  const std::string id = UsbIdOfHardwareKey(hardwareKey).value_or(UsbId{}).text();
  return displayName.empty() ? "the USB device " + id : "\"" + displayName + "\" (" + id + ")";
}

AdapterHint ProblemHint(const std::string& displayName, const std::string& hardwareKey,
                        unsigned problemCode) {
  const std::string device = DeviceNamed(displayName, hardwareKey);
  const std::string code = " (problem code " + std::to_string(problemCode) + ")";
  if (problemCode == kProblemFailedStart && hardwareKey == kProlificKey) {
    return {device + ": its driver failed to start" + code,
            "Prolific's newer drivers refuse the older PL2303 chips: install an older driver that "
            "still takes the chip, or use an adapter with a newer chip"};
  }
  if (problemCode == kProblemFailedStart) {
    return {device + ": its driver failed to start" + code,
            "unplug the adapter and plug it in again; if that does not help, reinstall its driver "
            "(in Device Manager: Uninstall device, then plug the adapter in again)"};
  }
  if (problemCode == kProblemFailedInstall) {
    return {device + ": no driver is installed for it" + code,
            "install the adapter's driver (its maker's setup program, or Update driver in Device "
            "Manager), then plug the adapter in again"};
  }
  return {device + ": the device does not work" + code,
          "its properties in Device Manager say why and what to do"};
}

AdapterHint NoAdapterHint() {
  return {"no USB serial adapter is present", std::string("plug in the printer's USB cable (") +
                                                  kUsbDeviceLister + " lists what is connected)"};
}

}  // namespace

std::vector<AdapterHint> AdapterHints(const std::vector<SerialPortInfo>& ports,
                                      const std::vector<UsbDeviceProblem>& devices) {
  std::vector<AdapterHint> hints;
  // The interfaces of one device may each report the same problem.
  const auto add = [&hints](AdapterHint hint) {
    if (std::ranges::none_of(hints, [&](const AdapterHint& h) { return h.cause == hint.cause; })) {
      hints.push_back(std::move(hint));
    }
  };
  for (const SerialPortInfo& port : ports) {
    if (port.problemCode != 0 && IsPrinterAdapter(port)) {
      add(ProblemHint(port.displayName, port.hardwareKey, port.problemCode));
    }
  }
  for (const UsbDeviceProblem& device : devices) {
    if (IsPrinterAdapterDevice(device)) {
      add(ProblemHint(device.displayName, device.hardwareKey, device.problemCode));
    }
  }
  if (std::ranges::none_of(ports, HasUsbParent) &&
      std::ranges::none_of(devices, IsPrinterAdapterDevice)) {
    add(NoAdapterHint());
  }
  return hints;
}

std::string MissingPortNote(const std::vector<SerialPortInfo>& ports,
                            const std::vector<UsbDeviceProblem>& devices) {
  const std::vector<AdapterHint> hints = AdapterHints(ports, devices);
  if (hints.empty() || std::ranges::any_of(ports, IsOffered)) {
    return {};
  }
  std::string note = hints.front().cause + ".";
  note.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(note.front())));
  return note;
}

std::string LocalMissingPortNote() {
  return MissingPortNote(EnumerateSerialPorts(), LocalSystemFacts()->usbDeviceProblems());
}

}  // namespace trel
