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

// The port name of a display name such as "usb-to-serial comm port (com3)": the text after the
// first
// "(" up to the next ")", tab, CR or LF. Empty when the name has no such part.
std::optional<std::string> PortNameFromDisplayName(std::string_view displayName);

// The lower-case port name under which a port is offered to the operator, or nothing when the port
// is not a known adapter (hardware key and display name must both match a known make).
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
