#pragma once

#include <ostream>
#include <vector>

#include "platform/serial_port_enumeration.h"
#include "platform/system_facts.h"

namespace trel {

// `trel ports`: runs one discovery scan over `ports` (the serial ports present) and lists every
// port with its name, USB vid:pid, the adapter's serial number (for sn:), display name, and whether
// the scan reports it and under which name the port selector would offer it. Below the list come
// hints ("hint: ...") for what keeps a printer's port away, checked against `facts`.
int RunPorts(const std::vector<SerialPortInfo>& ports, const SystemFacts& facts, std::ostream& out);

}  // namespace trel
