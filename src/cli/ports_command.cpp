#include "cli/ports_command.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "cli/exit_status.h"
#include "cli/port_hints.h"
#include "cli/udev_rules_scan.h"
#include "link/port_discovery.h"

namespace trel {

namespace {

using PortRow = std::array<std::string, 5>;

// "vid_067b&pid_2303" becomes "067b:2303"; a port without a USB parent shows "-".
std::string VidPid(const std::string& hardwareKey) {
  const std::optional<UsbId> id = UsbIdOfHardwareKey(hardwareKey);
  return id ? id->text() : "-";
}

std::string ScanVerdict(const SerialPortInfo& port, const std::vector<std::string>& found) {
  const std::optional<std::string> name = QualifyingPortName(port);
  if (!name || std::ranges::find(found, *name) == found.end()) {
    return "not reported";
  }
  // The port selector receives the name packed into a message, which keeps eight characters.
  const auto [wParam, lParam] = PackPortName(*name);
  return "reported as " + UnpackPortName(wParam, lParam);
}

void PrintAligned(const std::vector<PortRow>& rows, std::ostream& out) {
  std::array<std::size_t, 5> widths{};
  for (const PortRow& row : rows) {
    for (std::size_t column = 0; column < row.size(); ++column) {
      widths[column] = std::max(widths[column], row[column].size());
    }
  }
  for (const PortRow& row : rows) {
    std::string line;
    for (std::size_t column = 0; column + 1 < row.size(); ++column) {
      line += row[column] + std::string(widths[column] - row[column].size() + 2, ' ');
    }
    out << line << row.back() << "\n";
  }
}

void PrintPorts(const std::vector<SerialPortInfo>& ports, std::ostream& out) {
  if (ports.empty()) {
    out << "no serial ports present\n";
    return;
  }
  PortDiscovery discovery([&ports] { return ports; });
  discovery.Scan(nullptr);

  std::vector<PortRow> rows{{"PORT", "VID:PID", "SERIAL", "DISPLAY NAME", "SCAN"}};
  for (const SerialPortInfo& port : ports) {
    rows.push_back({port.devicePath, VidPid(port.hardwareKey),
                    port.serialNumber.empty() ? "-" : port.serialNumber,
                    port.displayName.empty() ? "-" : port.displayName,
                    ScanVerdict(port, discovery.foundPorts())});
  }
  PrintAligned(rows, out);
}

}  // namespace

int RunPorts(const std::vector<SerialPortInfo>& ports, const SystemFacts& facts,
             std::ostream& out) {
  PrintPorts(ports, out);
  for (const std::string& hint : PortHints(ports, facts)) {
    out << "hint: " << hint << "\n";
  }
  return kExitSuccess;
}

}  // namespace trel
