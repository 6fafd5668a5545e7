#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/natural_order.h"
#include "platform/serial_port_enumeration_linux.h"

namespace trel {
namespace {

namespace fs = std::filesystem;

// What the USB ancestors of one tty say about its adapter.
struct UsbAdapter {
  std::string vendorId;  // lower case hex, "067b"
  std::string productId;
  std::string product;  // the device's own product string
  std::string serial;   // the device's serial number string
  std::string driver;   // the kernel driver bound to the interface, "pl2303"
  int interfaceNumber = -1;
};

std::string Trimmed(std::string text) {
  const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
  text.erase(std::find_if_not(text.rbegin(), text.rend(), blank).base(), text.end());
  text.erase(text.begin(), std::find_if_not(text.begin(), text.end(), blank));
  return text;
}

std::string LowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string ReadAttribute(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  return Trimmed(line);
}

std::string DriverName(const fs::path& device) {
  std::error_code error;
  const fs::path target = fs::read_symlink(device / "driver", error);
  return error ? std::string() : target.filename().string();
}

int InterfaceNumber(const fs::path& interfaceDir) {
  try {
    return std::stoi(ReadAttribute(interfaceDir / "bInterfaceNumber"), nullptr, 16);
  } catch (const std::exception&) {
    return -1;
  }
}

// Walks up from the tty's device to the USB interface and the USB device above it.
std::optional<UsbAdapter> FindUsbAdapter(const fs::path& device, const fs::path& root) {
  UsbAdapter adapter;
  adapter.driver = DriverName(device);
  for (fs::path dir = device; dir.has_relative_path() && dir != root; dir = dir.parent_path()) {
    std::error_code error;
    if (adapter.interfaceNumber < 0 && fs::exists(dir / "bInterfaceNumber", error)) {
      adapter.interfaceNumber = InterfaceNumber(dir);
      const std::string interfaceDriver = DriverName(dir);
      if (!interfaceDriver.empty()) {
        adapter.driver = interfaceDriver;
      }
    }
    if (fs::exists(dir / "idVendor", error)) {
      adapter.vendorId = LowerCase(ReadAttribute(dir / "idVendor"));
      adapter.productId = LowerCase(ReadAttribute(dir / "idProduct"));
      adapter.product = ReadAttribute(dir / "product");
      adapter.serial = ReadAttribute(dir / "serial");
      return adapter;
    }
  }
  return std::nullopt;
}

// The name the adapter's Windows driver gives it, so the same adapters are recognised by name.
// Empty when neither the driver nor the device gives a name.
std::string AdapterName(const UsbAdapter& adapter) {
  if (adapter.driver == "pl2303") {
    return "Prolific USB-to-Serial Comm Port";
  }
  if (adapter.driver == "cp210x") {
    return "Silicon Labs CP210x USB to UART Bridge";
  }
  if (adapter.driver == "cdc_acm" && adapter.vendorId == "0e8d") {
    return "MediaTek USB Port";
  }
  if ((adapter.driver == "option" || adapter.driver == "qcserial") && adapter.vendorId == "05c6") {
    return adapter.interfaceNumber == 2 ? "SimTech HS-USB AT Port 9000"
                                        : "SimTech HS-USB Diagnostics 9000";
  }
  return adapter.product;
}

// The 8250 driver makes a tty for every port slot the board might have; type 0 says no UART
// answered there, so no operator could ever use it.
bool NoUartBehind(const fs::path& ttyDir, const fs::path& device) {
  return DriverName(device) == "serial8250" && ReadAttribute(ttyDir / "type") == "0";
}

std::optional<SerialPortInfo> DescribeTty(const fs::directory_entry& entry, const fs::path& root) {
  std::error_code error;
  const fs::path device = fs::canonical(entry.path() / "device", error);
  if (error) {
    return std::nullopt;  // a virtual terminal without hardware behind it
  }
  if (NoUartBehind(entry.path(), device)) {
    return std::nullopt;
  }
  SerialPortInfo info;
  info.deviceName = entry.path().filename().string();
  info.devicePath = "/dev/" + info.deviceName;
  info.displayName = info.deviceName;
  const fs::path canonicalRoot = fs::weakly_canonical(root, error);
  if (const auto adapter = FindUsbAdapter(device, canonicalRoot)) {
    info.hardwareKey = "vid_" + adapter->vendorId + "&pid_" + adapter->productId;
    info.serialNumber = adapter->serial;
    if (const std::string name = AdapterName(*adapter); !name.empty()) {
      info.displayName = name + " (" + info.deviceName + ")";
    }
  }
  return info;
}

}  // namespace

std::vector<SerialPortInfo> EnumerateSerialPortsBelow(const std::filesystem::path& sysfsRoot) {
  std::vector<SerialPortInfo> ports;
  std::error_code error;
  // Every step takes an error code: a tty that vanishes mid-scan must not end the scan.
  for (fs::directory_iterator entry(sysfsRoot / "class" / "tty", error);
       !error && entry != fs::directory_iterator(); entry.increment(error)) {
    if (auto info = DescribeTty(*entry, sysfsRoot)) {
      ports.push_back(std::move(*info));
    }
  }
  std::sort(ports.begin(), ports.end(), [](const SerialPortInfo& a, const SerialPortInfo& b) {
    return NaturalLess(a.deviceName, b.deviceName);
  });
  return ports;
}

const char* const kUsbDeviceLister = "`lsusb`";

std::vector<SerialPortInfo> EnumerateSerialPorts() {
  const char* root = std::getenv("TREL_SYSFS_ROOT");
  return EnumerateSerialPortsBelow(root != nullptr && *root != '\0' ? fs::path(root)
                                                                    : fs::path("/sys"));
}

}  // namespace trel
