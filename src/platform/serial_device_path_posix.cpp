#include "platform/serial_device_path_posix.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace trel {
namespace {

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::filesystem::path SerialDevicePath(const std::string& name,
                                       const std::filesystem::path& deviceFolder) {
  if (name.find('/') != std::string::npos) {
    return name;
  }
  std::error_code error;
  if (std::filesystem::exists(deviceFolder / name, error)) {
    return deviceFolder / name;
  }
  for (const auto& entry : std::filesystem::directory_iterator(deviceFolder, error)) {
    if (EqualIgnoringCase(entry.path().filename().string(), name)) {
      return entry.path();
    }
  }
  return deviceFolder / name;
}

}  // namespace trel
