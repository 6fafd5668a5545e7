#pragma once

#include <filesystem>
#include <string>

namespace trel::testing {

// A USB serial adapter as the kernel shows it in sysfs.
struct FakeUsbPort {
  std::string ttyName;      // "ttyUSB0", "ttyACM0"
  std::string driver;       // the interface's kernel driver: "pl2303", "cdc_acm", ...
  std::string vendorId;     // as sysfs writes it, "067b"
  std::string productId;    // "2303"
  std::string product;      // the product string; empty: the device has none
  int interfaceNumber = 0;  // bInterfaceNumber
  std::string usbDevice;    // "1-2"; empty: a device of its own. Share it for several interfaces.
};

// Builds a sysfs tree below `root` with the real layout: class/tty/<name> links into devices/,
// whose "device" link leads to the port's parent (the usb-serial port, the USB interface for
// cdc_acm, or a platform device), and driver links into bus/.
class FakeSysfs {
 public:
  explicit FakeSysfs(std::filesystem::path root);

  const std::filesystem::path& root() const { return root_; }

  // `serialNumber` becomes the USB device's "serial" attribute; empty: the device has none.
  void addUsbPort(const FakeUsbPort& port, const std::string& serialNumber = "");
  // A port on the main board, "ttyS0", with no USB parent; without a UART the driver still makes
  // the tty but reports its type as 0.
  void addBoardPort(const std::string& ttyName, bool uartPresent = true);
  // A terminal without hardware, "tty1" or "ptmx": no "device" link.
  void addVirtualTerminal(const std::string& ttyName);

 private:
  // Makes class/tty/<name> point at <deviceDir>/tty/<name>, whose "device" leads to `parent`.
  // Returns the tty's own folder.
  std::filesystem::path addTty(const std::string& ttyName, const std::filesystem::path& parent);
  void linkDriver(const std::filesystem::path& device, const std::string& bus,
                  const std::string& driver);

  std::filesystem::path root_;
  int nextUsbDevice_ = 1;
};

}  // namespace trel::testing
