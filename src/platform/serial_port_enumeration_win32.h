#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/serial_port_enumeration.h"

namespace trel {

// Only the first entries of the "Ports" setup class are looked at, as many as a scan examines.
inline constexpr unsigned kListedPortEntries = 20;

// The hardware key a USB device's interface path carries: "\\?\usb#vid_067b&pid_2303#..." holds it
// in the 17 characters from position 8, lower-cased here. Shorter paths give what is there.
std::string HardwareKeyOfInterfacePath(std::wstring_view interfacePath);

// The adapter's serial number as Windows keeps it: the last part of the device instance id,
// "USB\VID_067B&PID_2303\A10K3Z7Q" gives "A10K3Z7Q". An id without a separator gives nothing.
std::string SerialNumberOfInstanceId(std::wstring_view instanceId);

// The hardware key of a USB device's instance id: "USB\VID_067B&PID_2303\A10K3Z7Q" gives
// "vid_067b&pid_2303", the 17 characters after "USB\", lower-cased. Another bus's id gives nothing.
std::string HardwareKeyOfInstanceId(std::wstring_view instanceId);

// The present devices of the USB bus outside the "Ports" class that the configuration manager
// reports a problem for (CM_Get_DevNode_Status): a device with no driver installed is one.
std::vector<UsbDeviceProblem> EnumerateUsbDeviceProblems();

}  // namespace trel
