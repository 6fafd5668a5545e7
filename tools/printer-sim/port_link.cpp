#include "port_link.h"

#include <system_error>

namespace printer_sim {

namespace fs = std::filesystem;

bool PortLink::create(const fs::path& link, const std::string& portPath, std::string& error) {
  std::error_code code;
  const auto status = fs::symlink_status(link, code);
  if (fs::exists(status) && !fs::is_symlink(status)) {
    error = link.string() + ": exists and is not a symlink; not replaced";
    return false;
  }
  fs::remove(link, code);
  fs::create_symlink(portPath, link, code);
  if (code) {
    error = link.string() + ": " + code.message();
    return false;
  }
  link_ = link;
  portPath_ = portPath;
  return true;
}

PortLink::~PortLink() {
  if (link_.empty()) {
    return;
  }
  std::error_code code;
  if (fs::read_symlink(link_, code) == portPath_ && !code) {
    fs::remove(link_, code);
  }
}

}  // namespace printer_sim
