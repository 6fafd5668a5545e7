#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/serial_port_enumeration.h"
#include "platform/window_messages.h"

namespace trel {

// Lists the serial ports present now, in the order the scan examines them.
using PortEnumerator = std::function<std::vector<SerialPortInfo>()>;

// Only this many ports are examined per scan; ports further down the list are never reported.
inline constexpr std::size_t kPortsExaminedPerScan = 20;

// A USB device's vendor and product, four lower-case hex digits each: {"067b", "2303"}.
struct UsbId {
  std::string vendor;
  std::string product;
  std::string text() const { return vendor + ":" + product; }  // "067b:2303"
};

// The id in a port's hardware key, "vid_067b&pid_2303"; nothing for a port without a USB parent.
std::optional<UsbId> UsbIdOfHardwareKey(const std::string& hardwareKey);

// The hardware key is one of the printers' adapters (Prolific, Silicon Labs, Qualcomm, MediaTek).
bool IsKnownHardwareKey(std::string_view key);

// The port is one of the printers' adapters by make: its hardware key and its display name both
// match a known make.
bool IsPrinterAdapter(const SerialPortInfo& port);

// The port name of a display name such as "usb-to-serial comm port (com3)": the text after the
// first
// "(" up to the next ")", tab, CR or LF. Empty when the name has no such part.
std::optional<std::string> PortNameFromDisplayName(std::string_view displayName);

// The lower-case port name under which a port is offered to the operator, or nothing when the port
// is not a printer's adapter or its device has a problem (its driver failed or is missing: it
// cannot be opened).
std::optional<std::string> QualifyingPortName(const SerialPortInfo& port);

// A port name travels to the window in the two message arguments, four characters each, the first
// character in the most significant byte; only the first eight characters survive.
std::pair<std::uintptr_t, std::intptr_t> PackPortName(std::string_view name);
std::string UnpackPortName(std::uintptr_t wParam, std::intptr_t lParam);

// Finds known adapters among the present serial ports and tells the window of each new one once per
// run. Used by the link thread only.
class PortDiscovery {
 public:
  explicit PortDiscovery(PortEnumerator enumerate) : enumerate_(std::move(enumerate)) {}

  // One scan: posts WM_PORT_FOUND to `window` (when given) for each port not reported before.
  void Scan(WindowMessages* window);

  const std::vector<std::string>& foundPorts() const { return foundPorts_; }
  const std::string& lastFoundPort() const { return lastFoundPort_; }

 private:
  bool AlreadyReported(const std::string& name) const;

  PortEnumerator enumerate_;
  std::vector<std::string> foundPorts_;
  std::string lastFoundPort_;
};

}  // namespace trel
