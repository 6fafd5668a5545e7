#include "link/port_discovery.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "link/recording_window.h"

namespace trel {
namespace {

using testing::RecordingWindow;
using testing::ReportedPortNames;

constexpr const char* kProlific = "vid_067b&pid_2303";

SerialPortInfo Port(std::string key, std::string displayName, unsigned problemCode = 0) {
  return {.deviceName = "",
          .devicePath = "",
          .hardwareKey = key,
          .displayName = displayName,
          .serialNumber = "",
          .problemCode = problemCode};
}

std::vector<std::string> ScanOnce(std::vector<SerialPortInfo> ports) {
  RecordingWindow window;
  PortDiscovery discovery([&] { return ports; });
  discovery.Scan(&window);
  return ReportedPortNames(window);
}

TEST(PortDiscoveryTest, OnlyKnownAdaptersWithAPortNameAreReported) {
  const std::string longName = std::string(235, 'x') + " serial comm port (com5)";  // 259 bytes
  const struct {
    std::string key;
    std::string name;
    std::vector<std::string> reported;
    unsigned problemCode = 0;
  } cases[] = {
      {kProlific, "USB-to-Serial Comm Port (COM5)", {"com5"}},
      {"VID_10C4&PID_EA60", "Silicon Labs CP210x USB to UART Bridge (COM7)", {"com7"}},
      {kProlific, "Generic Serial Port (COM5)", {}},
      {"vid_0403&pid_6001", "Some uart bridge (COM7)", {}},
      {"vid_067b&pid_23031", "USB-to-Serial Comm Port (COM5)", {}},  // keys compare whole
      {kProlific, "USB-to-Serial Comm Port COM5", {}},
      {kProlific, longName, {"com5"}},
      {kProlific, "x" + longName, {}},  // too long to read
      // Its driver failed to start: the port cannot be opened.
      {kProlific, "USB-to-Serial Comm Port (COM5)", {}, 10},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ScanOnce({Port(c.key, c.name, c.problemCode)}), c.reported) << c.key << " " << c.name;
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
  EXPECT_EQ(ReportedPortNames(window), std::vector<std::string>{"com10"});
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

}  // namespace
}  // namespace trel
