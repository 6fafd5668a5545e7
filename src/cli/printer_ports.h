#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/serial_port_enumeration.h"

namespace trel {

// Names an adapter by its USB serial number wherever a port is named: "sn:A10K3Z7Q".
inline constexpr char kSerialNumberPrefix[] = "sn:";

// One printer a send goes to.
struct PrinterPort {
  std::string label;     // how the printer is named in every report: as given, or as found
  std::string openName;  // the port the job opens
  std::optional<SerialPortInfo> adapter;  // the port as the system lists it, when it does
};

struct PrinterPortChoice {
  std::vector<PrinterPort> printers;
  std::string refusal;  // why the send must not start; empty when it may
};

// The printers of a send, in the order given: each named port (an "sn:" name becomes the one port
// whose adapter has that serial number, compared regardless of case, as Windows upper-cases it),
// or with `all` every present port that the scan qualifies as a printer's. Refused, with what was
// found, when an "sn:" name matches no adapter or several, when `all` finds none, and when two
// names come to the same port.
PrinterPortChoice ChoosePrinterPorts(const std::vector<std::string>& named, bool all,
                                     const std::vector<SerialPortInfo>& present);

}  // namespace trel
