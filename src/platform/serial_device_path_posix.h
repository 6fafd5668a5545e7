#pragma once

#include <filesystem>
#include <string>

namespace trel {

// The device a port name stands for: a name with a "/" is a path as given; a bare name is looked
// up in `deviceFolder` case-insensitively, since discovery reports names in lower case
// ("ttyusb0" is /dev/ttyUSB0). An exact match wins; with none, the name is joined to the folder
// as it is, so that opening it reports the missing port.
std::filesystem::path SerialDevicePath(const std::string& name,
                                       const std::filesystem::path& deviceFolder = "/dev");

}  // namespace trel
