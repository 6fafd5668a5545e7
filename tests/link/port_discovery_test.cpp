#include "link/port_discovery.h"

#include <gtest/gtest.h>

#include "link/recording_window.h"
#include "support/fake_sysfs.h"
#include "support/temp_dir.h"

namespace trel {
namespace {

using testing::RecordingWindow;

constexpr const char* kProlific = "vid_067b&pid_2303";

SerialPortInfo Port(std::string key, std::string displayName) {
  return {.deviceName = "", .devicePath = "", .hardwareKey = key, .displayName = displayName};
}

std::vector<std::string> ReportedNames(const RecordingWindow& window) {
  std::vector<std::string> names;
  for (const auto& posted : window.posted()) {
    EXPECT_EQ(posted.message, WM_PORT_FOUND);
    names.push_back(UnpackPortName(posted.wParam, posted.lParam));
  }
  return names;
}

std::vector<std::string> ScanOnce(std::vector<SerialPortInfo> ports) {
  RecordingWindow window;
  PortDiscovery discovery([&] { return ports; });
  discovery.Scan(&window);
  return ReportedNames(window);
}

TEST(PortDiscoveryTest, KnownAdapterIsReportedByItsLowerCaseName) {
  EXPECT_EQ(ScanOnce({Port(kProlific, "USB-to-Serial Comm Port (COM5)")}),
            std::vector<std::string>{"com5"});
  EXPECT_EQ(ScanOnce({Port("VID_10C4&PID_EA60", "Silicon Labs CP210x USB to UART Bridge (COM7)")}),
            std::vector<std::string>{"com7"});
}

TEST(PortDiscoveryTest, KeyAndNameMustBothMatch) {
  EXPECT_TRUE(ScanOnce({Port(kProlific, "Generic Serial Port (COM5)")}).empty());
  EXPECT_TRUE(ScanOnce({Port("vid_0403&pid_6001", "Some uart bridge (COM7)")}).empty());
  EXPECT_TRUE(ScanOnce({Port("", "USB-to-Serial Comm Port (COM5)")}).empty());
  // The key is compared whole.
  EXPECT_TRUE(ScanOnce({Port("vid_067b&pid_23031", "USB-to-Serial Comm Port (COM5)")}).empty());
}

TEST(PortDiscoveryTest, NameWithoutPortPartIsNotReported) {
  EXPECT_TRUE(ScanOnce({Port(kProlific, "USB-to-Serial Comm Port COM5")}).empty());
  EXPECT_TRUE(ScanOnce({Port(kProlific, "USB-to-Serial Comm Port ()")}).empty());
}

TEST(PortDiscoveryTest, UnreadablyLongDisplayNameIsSkipped) {
  const std::string padding(235, 'x');  // 259 characters with the first name
  EXPECT_EQ(ScanOnce({Port(kProlific, padding + " serial comm port (com5)")}).size(), 1u);
  EXPECT_TRUE(ScanOnce({Port(kProlific, padding + "USB-to-Serial Comm Port (COM5)")}).empty());
}

TEST(PortDiscoveryTest, PortNameIsTheTokenAfterTheFirstOpeningParenthesis) {
  EXPECT_EQ(PortNameFromDisplayName("port (com3)"), "com3");
  EXPECT_EQ(PortNameFromDisplayName("port ()\tcom3\r\n"), "com3");
  EXPECT_EQ(PortNameFromDisplayName("port (com3"), "com3");
  EXPECT_EQ(PortNameFromDisplayName("port ((com3)"), "(com3");
  EXPECT_EQ(PortNameFromDisplayName("a (b) (c)"), "b");
  // Leading "(" are passed over before the first token, which then never ends.
  EXPECT_EQ(PortNameFromDisplayName("(com3)"), std::nullopt);
  EXPECT_EQ(PortNameFromDisplayName("port ()"), std::nullopt);
  EXPECT_EQ(PortNameFromDisplayName(""), std::nullopt);
}

TEST(PortDiscoveryTest, PortContainedInAnEarlierNameIsNotReportedAgain) {
  std::vector<SerialPortInfo> ports = {Port(kProlific, "USB-to-Serial Comm Port (COM10)")};
  RecordingWindow window;
  PortDiscovery discovery([&] { return ports; });
  discovery.Scan(&window);
  discovery.Scan(&window);
  ports.push_back(Port(kProlific, "USB-to-Serial Comm Port (COM1)"));
  discovery.Scan(&window);
  EXPECT_EQ(ReportedNames(window), std::vector<std::string>{"com10"});
  EXPECT_EQ(discovery.lastFoundPort(), "com1");
  EXPECT_EQ(discovery.foundPorts(), std::vector<std::string>{"com10"});
}

TEST(PortDiscoveryTest, OnlyTheFirstTwentyPortsAreExamined) {
  std::vector<SerialPortInfo> ports(kPortsExaminedPerScan, Port("", "ttyS0"));
  ports.back() = Port(kProlific, "USB-to-Serial Comm Port (COM20)");
  ports.push_back(Port(kProlific, "USB-to-Serial Comm Port (COM21)"));
  EXPECT_EQ(ScanOnce(ports), std::vector<std::string>{"com20"});
}

TEST(PortNamePackingTest, FirstCharacterTravelsInTheHighestByte) {
  const auto [wParam, lParam] = PackPortName("com3");
  EXPECT_EQ(wParam, 0x636F6D33u);
  EXPECT_EQ(lParam, 0);
  EXPECT_EQ(UnpackPortName(wParam, lParam), "com3");
}

TEST(PortNamePackingTest, OnlyEightCharactersSurvive) {
  const auto [wParam, lParam] = PackPortName("ttyusb123");
  EXPECT_EQ(UnpackPortName(wParam, lParam), "ttyusb12");
  const auto [w5, l5] = PackPortName("com12");
  EXPECT_EQ(UnpackPortName(w5, l5), "com12");
  EXPECT_EQ(UnpackPortName(0, 0), "");
}

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
  PortDiscovery discovery([&] { return EnumerateSerialPorts(dir.path()); });
  discovery.Scan(&window);
  // The diagnostics interface of the modem and the unknown adapter are not offered.
  EXPECT_EQ(ReportedNames(window),
            (std::vector<std::string>{"ttyacm0", "ttyusb0", "ttyusb1", "ttyusb3"}));
}

}  // namespace
}  // namespace trel
