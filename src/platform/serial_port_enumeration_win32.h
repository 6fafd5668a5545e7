#pragma once

#include <string>
#include <string_view>

namespace trel {

// Only the first entries of the "Ports" setup class are looked at, as many as a scan examines.
inline constexpr unsigned kListedPortEntries = 20;

// The hardware key a USB device's interface path carries: "\\?\usb#vid_067b&pid_2303#..." holds it
// in the 17 characters from position 8, lower-cased here. Shorter paths give what is there.
std::string HardwareKeyOfInterfacePath(std::wstring_view interfacePath);

// The adapter's serial number as Windows keeps it: the last part of the device instance id,
// "USB\VID_067B&PID_2303\A10K3Z7Q" gives "A10K3Z7Q". An id without a separator gives nothing.
std::string SerialNumberOfInstanceId(std::wstring_view instanceId);

}  // namespace trel
