#include "support/fake_sysfs.h"

#include <cstdio>
#include <fstream>

namespace trel::testing {
namespace {

namespace fs = std::filesystem;

void WriteAttribute(const fs::path& file, const std::string& value) {
  std::ofstream(file) << value << "\n";
}

// Links are relative, as the kernel makes them, so the tree can live anywhere.
void RelativeSymlink(const fs::path& target, const fs::path& link) {
  fs::create_directories(link.parent_path());
  fs::create_symlink(fs::relative(target, link.parent_path()), link);
}

std::string TwoHexDigits(int value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02x", value);
  return text;
}

}  // namespace

FakeSysfs::FakeSysfs(fs::path root) : root_(std::move(root)) {
  fs::create_directories(root_ / "class" / "tty");
}

fs::path FakeSysfs::addTty(const std::string& ttyName, const fs::path& parent) {
  const fs::path ttyDir = parent / "tty" / ttyName;
  fs::create_directories(ttyDir);
  RelativeSymlink(parent, ttyDir / "device");
  RelativeSymlink(ttyDir, root_ / "class" / "tty" / ttyName);
  return ttyDir;
}

void FakeSysfs::linkDriver(const fs::path& device, const std::string& bus,
                           const std::string& driver) {
  const fs::path driverDir = root_ / "bus" / bus / "drivers" / driver;
  fs::create_directories(driverDir);
  RelativeSymlink(driverDir, device / "driver");
}

void FakeSysfs::addUsbPort(const FakeUsbPort& port, const std::string& serialNumber) {
  const std::string usbDevice =
      port.usbDevice.empty() ? "1-" + std::to_string(nextUsbDevice_++) : port.usbDevice;
  const fs::path deviceDir = root_ / "devices" / "pci0000:00" / "0000:00:14.0" / "usb1" / usbDevice;
  fs::create_directories(deviceDir);
  WriteAttribute(deviceDir / "idVendor", port.vendorId);
  WriteAttribute(deviceDir / "idProduct", port.productId);
  if (!port.product.empty()) {
    WriteAttribute(deviceDir / "product", port.product);
  }
  if (!serialNumber.empty()) {
    WriteAttribute(deviceDir / "serial", serialNumber);
  }
  const fs::path interfaceDir =
      deviceDir / (usbDevice + ":1." + std::to_string(port.interfaceNumber));
  fs::create_directories(interfaceDir);
  WriteAttribute(interfaceDir / "bInterfaceNumber", TwoHexDigits(port.interfaceNumber));
  linkDriver(interfaceDir, "usb", port.driver);
  if (port.driver == "cdc_acm") {
    addTty(port.ttyName, interfaceDir);  // the ACM tty hangs straight off its interface
    return;
  }
  const fs::path serialPort = interfaceDir / port.ttyName;
  fs::create_directories(serialPort);
  linkDriver(serialPort, "usb-serial", port.driver);
  addTty(port.ttyName, serialPort);
}

void FakeSysfs::addBoardPort(const std::string& ttyName, bool uartPresent) {
  const fs::path platformDevice = root_ / "devices" / "platform" / "serial8250";
  if (!fs::exists(platformDevice / "driver")) {
    fs::create_directories(platformDevice);
    linkDriver(platformDevice, "platform", "serial8250");
  }
  const int uart16550A = 4;
  WriteAttribute(addTty(ttyName, platformDevice) / "type",
                 std::to_string(uartPresent ? uart16550A : 0));
}

void FakeSysfs::addVirtualTerminal(const std::string& ttyName) {
  const fs::path ttyDir = root_ / "devices" / "virtual" / "tty" / ttyName;
  fs::create_directories(ttyDir);
  RelativeSymlink(ttyDir, root_ / "class" / "tty" / ttyName);
}

}  // namespace trel::testing
