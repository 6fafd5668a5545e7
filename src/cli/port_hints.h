#pragma once

#include <string>
#include <vector>

#include "platform/serial_port_enumeration.h"
#include "platform/system_facts.h"

namespace trel {

// What `trel ports` adds below its list when something on this machine keeps a printer's port
// away: the adapter hints (a printer's adapter whose driver failed or is missing, no USB serial
// adapter at all); brltty taking CP210x adapters while no port qualifies; a printer's port the
// user may not open (not in its group, no udev rule giving access) or that another program holds;
// ModemManager running with no rule that keeps it off a printer's port. Each hint says what was
// found and what to do; none when all is well. `ports` are the ports present, as the enumeration
// lists them.
std::vector<std::string> PortHints(const std::vector<SerialPortInfo>& ports,
                                   const SystemFacts& facts);

}  // namespace trel
