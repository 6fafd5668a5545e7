#include "link/port_discovery.h"

#include <gtest/gtest.h>

#include "link/recording_window.h"
#include "platform/serial_port_enumeration_linux.h"
#include "support/fake_sysfs.h"
#include "support/temp_dir.h"

namespace trel {
namespace {

using testing::RecordingWindow;

constexpr const char* kProlific = "vid_067b&pid_2303";

SerialPortInfo Port(std::string key, std::string displayName) {
  return {.deviceName = "", .devicePath = "", .hardwareKey = key, .displayName = displayName};
}

std::vector<std::string> ReportedNames(RecordingWindow& window) {
  std::vector<std::string> names;
  for (const auto& posted : window.items()) {
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

TEST(PortDiscoveryTest, OnlyKnownAdaptersWithAPortNameAreReported) {
  const std::string longName = std::string(235, 'x') + " serial comm port (com5)";  // 259 bytes
  const struct {
    std::string key;
    std::string name;
    std::vector<std::string> reported;
  } cases[] = {
      {kProlific, "USB-to-Serial Comm Port (COM5)", {"com5"}},
      {"VID_10C4&PID_EA60", "Silicon Labs CP210x USB to UART Bridge (COM7)", {"com7"}},
      {kProlific, "Generic Serial Port (COM5)", {}},
      {"vid_0403&pid_6001", "Some uart bridge (COM7)", {}},
      {"vid_067b&pid_23031", "USB-to-Serial Comm Port (COM5)", {}},  // keys compare whole
      {kProlific, "USB-to-Serial Comm Port COM5", {}},
      {kProlific, longName, {"com5"}},
      {kProlific, "x" + longName, {}},  // too long to read
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ScanOnce({Port(c.key, c.name)}), c.reported) << c.key << " " << c.name;
  }
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

TEST(PortDiscoveryTest, FailedEnumerationEndsTheScanQuietly) {
  PortDiscovery discovery([]() -> std::vector<SerialPortInfo> {
    throw std::filesystem::filesystem_error("gone", std::error_code());
  });
  RecordingWindow window;
  EXPECT_NO_THROW(discovery.Scan(&window));
  EXPECT_TRUE(window.items().empty());
}

TEST(PortNamePackingTest, FirstCharacterTravelsInTheHighestByteAndEightSurvive) {
  EXPECT_EQ(PackPortName("com3"), (std::pair<std::uintptr_t, std::intptr_t>{0x636F6D33u, 0}));
  for (const auto& [name, unpacked] :
       {std::pair{"com3", "com3"}, {"com12", "com12"}, {"ttyusb123", "ttyusb12"}, {"", ""}}) {
    const auto [wParam, lParam] = PackPortName(name);
    EXPECT_EQ(UnpackPortName(wParam, lParam), unpacked);
  }
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
  PortDiscovery discovery([&] { return EnumerateSerialPortsBelow(dir.path()); });
  discovery.Scan(&window);
  // The diagnostics interface of the modem and the unknown adapter are not offered.
  EXPECT_EQ(ReportedNames(window),
            (std::vector<std::string>{"ttyacm0", "ttyusb0", "ttyusb1", "ttyusb3"}));
}

}  // namespace
}  // namespace trel
