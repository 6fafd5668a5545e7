#pragma once

#include <ostream>

namespace trel {

// `trel ports`: runs one discovery scan over the serial ports present and lists every port with its
// name, USB vid:pid, display name, and whether the scan reports it and under which name the port
// selector would offer it.
int RunPorts(std::ostream& out);

}  // namespace trel
