#include <windows.h>
// setupapi.h and cfgmgr32.h need the declarations of windows.h first.
#include <cfgmgr32.h>
#include <setupapi.h>

#include <algorithm>
#include <array>
#include <cwctype>
#include <memory>
#include <optional>
#include <vector>

#include "platform/serial_port_enumeration.h"
#include "platform/serial_port_enumeration_win32.h"
#include "platform/wide_text_win32.h"

namespace trel {
namespace {

constexpr std::size_t kKeyStart = 8;
constexpr std::size_t kKeyLength = 17;
constexpr std::wstring_view kUsbInstancePrefix = L"USB\\";
constexpr std::size_t kLongestInterfacePath = 259;
// Names are read into a buffer of 260 bytes; a longer name does not fit and counts as unreadable.
constexpr DWORD kNameBufferBytes = 260;
constexpr int kReadsPerProperty = 2;
constexpr DWORD kInstanceIdLength = 256;

struct DeviceSetCloser {
  void operator()(void* set) const { ::SetupDiDestroyDeviceInfoList(set); }
};
using DeviceSet = std::unique_ptr<void, DeviceSetCloser>;

// The device's interface path, with the device's own setup class as interface class (an existing
// registration is reused).
std::optional<std::wstring> InterfacePath(HDEVINFO set, SP_DEVINFO_DATA& device) {
  SP_DEVICE_INTERFACE_DATA interface {};
  interface.cbSize = sizeof interface;
  if (!::SetupDiCreateDeviceInterfaceW(set, &device, &device.ClassGuid, nullptr, 0, &interface)) {
    return std::nullopt;
  }
  DWORD size = 0;
  if (!::SetupDiGetDeviceInterfaceDetailW(set, &interface, nullptr, 0, &size, nullptr) &&
      ::GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
    return std::nullopt;
  }
  if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> storage(size);
  auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
  if (!::SetupDiGetDeviceInterfaceDetailW(set, &interface, detail, size, nullptr, nullptr)) {
    return std::nullopt;
  }
  std::wstring path(detail->DevicePath);
  path.resize(std::min(path.size(), kLongestInterfacePath));
  return path;
}

std::optional<std::string> NameProperty(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property) {
  for (int attempt = 0; attempt < kReadsPerProperty; ++attempt) {
    std::array<wchar_t, kNameBufferBytes / sizeof(wchar_t)> name{};
    if (::SetupDiGetDeviceRegistryPropertyW(set, &device, property, nullptr,
                                            reinterpret_cast<BYTE*>(name.data()), kNameBufferBytes,
                                            nullptr)) {
      name.back() = L'\0';
      return Utf8FromWide(name.data());
    }
  }
  return std::nullopt;
}

// The friendly name, "Prolific USB-to-Serial Comm Port (COM3)"; else the device description.
std::string DisplayName(HDEVINFO set, SP_DEVINFO_DATA& device) {
  if (auto friendly = NameProperty(set, device, SPDRP_FRIENDLYNAME)) {
    return *friendly;
  }
  return NameProperty(set, device, SPDRP_DEVICEDESC).value_or(std::string());
}

// The COM name the port driver was given ("PortName" in the device's key), "COM3".
std::string PortName(HDEVINFO set, SP_DEVINFO_DATA& device) {
  const HKEY key = ::SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
  if (key == INVALID_HANDLE_VALUE) {
    return {};
  }
  std::array<wchar_t, 64> name{};
  DWORD size = sizeof(name) - sizeof(wchar_t);
  DWORD type = 0;
  const LONG read = ::RegQueryValueExW(key, L"PortName", nullptr, &type,
                                       reinterpret_cast<BYTE*>(name.data()), &size);
  ::RegCloseKey(key);
  return read == ERROR_SUCCESS && type == REG_SZ ? Utf8FromWide(name.data()) : std::string();
}

// "USB\VID_067B&PID_2303\A10K3Z7Q"; empty when it cannot be read.
std::wstring InstanceId(HDEVINFO set, SP_DEVINFO_DATA& device) {
  std::array<wchar_t, kInstanceIdLength> id{};
  if (!::SetupDiGetDeviceInstanceIdW(set, &device, id.data(), kInstanceIdLength, nullptr)) {
    return {};
  }
  id.back() = L'\0';
  return id.data();
}

// The configuration manager's problem code of the device; 0 when it has none.
unsigned ProblemCode(const SP_DEVINFO_DATA& device) {
  ULONG status = 0;
  ULONG problem = 0;
  if (::CM_Get_DevNode_Status(&status, &problem, device.DevInst, 0) != CR_SUCCESS ||
      (status & DN_HAS_PROBLEM) == 0) {
    return 0;
  }
  return problem;
}

std::string LowerKeyAt(std::wstring_view text, std::size_t start) {
  std::wstring key(text.substr(std::min(start, text.size()), kKeyLength));
  std::transform(key.begin(), key.end(), key.begin(),
                 [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
  return Utf8FromWide(key);
}

std::optional<GUID> PortsClass() {
  GUID portsClass{};
  DWORD classes = 0;
  if (!::SetupDiClassGuidsFromNameW(L"Ports", &portsClass, 1, &classes) || classes == 0) {
    return std::nullopt;
  }
  return portsClass;
}

// The present devices of a class (`setupClass`) or of a bus (`enumerator`, all classes).
DeviceSet PresentDevices(const GUID* setupClass, const wchar_t* enumerator) {
  const DWORD flags = DIGCF_PRESENT | (setupClass == nullptr ? DIGCF_ALLCLASSES : 0);
  const HDEVINFO present = ::SetupDiGetClassDevsW(setupClass, enumerator, nullptr, flags);
  return DeviceSet(present == INVALID_HANDLE_VALUE ? nullptr : present);
}

std::optional<SerialPortInfo> DescribePort(HDEVINFO set, SP_DEVINFO_DATA& device) {
  const std::optional<std::wstring> path = InterfacePath(set, device);
  if (!path) {
    return std::nullopt;
  }
  SerialPortInfo info;
  info.hardwareKey = HardwareKeyOfInterfacePath(*path);
  info.displayName = DisplayName(set, device);
  info.deviceName = PortName(set, device);
  info.devicePath = info.deviceName.empty() ? std::string() : "\\\\.\\" + info.deviceName;
  if (info.hardwareKey.starts_with("vid_")) {
    info.serialNumber = SerialNumberOfInstanceId(InstanceId(set, device));
  }
  info.problemCode = ProblemCode(device);
  return info;
}

}  // namespace

std::string HardwareKeyOfInterfacePath(std::wstring_view interfacePath) {
  return LowerKeyAt(interfacePath, kKeyStart);
}

std::string HardwareKeyOfInstanceId(std::wstring_view instanceId) {
  const int prefixLength = static_cast<int>(kUsbInstancePrefix.size());
  const bool usb =
      instanceId.size() >= kUsbInstancePrefix.size() &&
      ::CompareStringOrdinal(instanceId.data(), prefixLength, kUsbInstancePrefix.data(),
                             prefixLength, TRUE) == CSTR_EQUAL;
  return usb ? LowerKeyAt(instanceId, kUsbInstancePrefix.size()) : std::string();
}

std::string SerialNumberOfInstanceId(std::wstring_view instanceId) {
  const std::size_t separator = instanceId.rfind(L'\\');
  return separator == std::wstring_view::npos ? std::string()
                                              : Utf8FromWide(instanceId.substr(separator + 1));
}

const char* const kUsbDeviceLister = "Device Manager";

std::vector<SerialPortInfo> EnumerateSerialPorts() {
  const std::optional<GUID> portsClass = PortsClass();
  const DeviceSet set = portsClass ? PresentDevices(&*portsClass, nullptr) : nullptr;
  if (!set) {
    return {};
  }
  std::vector<SerialPortInfo> ports;
  for (DWORD index = 0; index < kListedPortEntries; ++index) {
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    if (!::SetupDiEnumDeviceInfo(set.get(), index, &device)) {
      break;
    }
    if (auto info = DescribePort(set.get(), device)) {
      ports.push_back(std::move(*info));
    }
  }
  return ports;
}

std::vector<UsbDeviceProblem> EnumerateUsbDeviceProblems() {
  const DeviceSet set = PresentDevices(nullptr, L"USB");
  if (!set) {
    return {};
  }
  const std::optional<GUID> portsClass = PortsClass();
  std::vector<UsbDeviceProblem> problems;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  for (DWORD index = 0; ::SetupDiEnumDeviceInfo(set.get(), index, &device); ++index) {
    // A port's device is listed with the ports, its problem code with it.
    const bool port = portsClass && device.ClassGuid == *portsClass;
    const unsigned problem = ProblemCode(device);
    if (!port && problem != 0) {
      problems.push_back({HardwareKeyOfInstanceId(InstanceId(set.get(), device)),
                          DisplayName(set.get(), device), problem});
    }
  }
  return problems;
}

}  // namespace trel
