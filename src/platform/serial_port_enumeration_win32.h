#pragma once

#include <string>
#include <string_view>

namespace trel {

// Only the first entries of the "Ports" setup class are looked at, as many as a scan examines.
inline constexpr unsigned kListedPortEntries = 20;

// The hardware key a USB device's interface path carries: "\\?\usb#vid_067b&pid_2303#..." holds it
// in the 17 characters from position 8, lower-cased here. Shorter paths give what is there.
std::string HardwareKeyOfInterfacePath(std::wstring_view interfacePath);

}  // namespace trel
