#pragma once

#include <filesystem>
#include <ostream>

#include "platform/system_facts.h"

namespace trel {

// `trel ports`: runs one discovery scan over the serial ports present (read from sysfs below
// `sysfsRoot`) and lists every port with its name, USB vid:pid, display name, and whether the scan
// reports it and under which name the port selector would offer it. Below the list come hints
// ("hint: ...") for what keeps a printer's port away, checked against `facts`.
int RunPorts(const std::filesystem::path& sysfsRoot, const SystemFacts& facts, std::ostream& out);

}  // namespace trel
