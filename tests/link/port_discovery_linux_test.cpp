// Discovery over a made-up sysfs tree: Linux adapters are offered by the names their Windows
// drivers give them.
#include <gtest/gtest.h>

#include "link/port_discovery.h"
#include "link/recording_window.h"
#include "platform/serial_port_enumeration_linux.h"
#include "support/fake_sysfs.h"
#include "support/temp_dir.h"

namespace trel {
namespace {

using testing::RecordingWindow;
using testing::ReportedPortNames;

testing::FakeUsbPort UsbPort(std::string tty, std::string driver, std::string vendor,
                             std::string product, int interfaceNumber = 0,
                             std::string usbDevice = "") {
  testing::FakeUsbPort port;
  port.ttyName = std::move(tty);
  port.driver = std::move(driver);
  port.vendorId = std::move(vendor);
  port.productId = std::move(product);
  port.interfaceNumber = interfaceNumber;
  port.usbDevice = std::move(usbDevice);
  return port;
}

TEST(PortDiscoverySysfsTest, LinuxAdaptersAreFoundByTheirDriversNames) {
  testing::TempDir dir;
  testing::FakeSysfs sysfs(dir.path());
  sysfs.addBoardPort("ttyS0");
  sysfs.addUsbPort(UsbPort("ttyUSB0", "pl2303", "067b", "2303"));
  sysfs.addUsbPort(UsbPort("ttyUSB1", "cp210x", "10c4", "ea60"));
  sysfs.addUsbPort(UsbPort("ttyACM0", "cdc_acm", "0e8d", "0003"));
  sysfs.addUsbPort(UsbPort("ttyUSB2", "option", "05c6", "9000", 1, "2-1"));
  sysfs.addUsbPort(UsbPort("ttyUSB3", "option", "05c6", "9000", 2, "2-1"));
  testing::FakeUsbPort unknown = UsbPort("ttyUSB4", "ftdi_sio", "0403", "6001");
  unknown.product = "FT232R USB UART";
  sysfs.addUsbPort(unknown);
  RecordingWindow window;
  PortDiscovery discovery([&] { return EnumerateSerialPortsBelow(dir.path()); });
  discovery.Scan(&window);
  // The diagnostics interface of the modem and the unknown adapter are not offered.
  EXPECT_EQ(ReportedPortNames(window),
            (std::vector<std::string>{"ttyacm0", "ttyusb0", "ttyusb1", "ttyusb3"}));
}

}  // namespace
}  // namespace trel
