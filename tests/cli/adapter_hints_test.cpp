// What `trel ports` says of the device data Windows gives: a printer's adapter whose driver failed
// to start or is missing, a printer's port that another program holds, no USB serial adapter at
// all. The device data are made up (Wine lists no device), so this runs on Linux and under Wine.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/fake_system_facts.h"
#include "cli/ports_command.h"

namespace trel::testing {
namespace {

constexpr char kProlific[] = "vid_067b&pid_2303";
constexpr char kCp210x[] = "vid_10c4&pid_ea60";

SerialPortInfo Port(const std::string& com, const std::string& key, const std::string& name,
                    unsigned problemCode = 0) {
  return {.deviceName = com,
          .devicePath = "\\\\.\\" + com,
          .hardwareKey = key,
          .displayName = name + " (" + com + ")",
          .serialNumber = "",
          .problemCode = problemCode};
}

const SerialPortInfo kProlificPort = Port("COM3", kProlific, "Prolific USB-to-Serial Comm Port");
const SerialPortInfo kBoardPort = Port("COM1", "#pnp0501#1#{4d36e", "Communications Port");

// The lines `trel ports` prints below its list, each cut to the length of the one expected.
std::vector<std::string> HintsPrinted(const std::vector<SerialPortInfo>& ports,
                                      const FakeSystemFacts& facts,
                                      const std::vector<std::string>& expected) {
  std::ostringstream out;
  RunPorts(ports, facts, out);
  std::vector<std::string> hints;
  std::istringstream in(out.str());
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with("hint: ")) {
      const std::size_t shown = hints.size() < expected.size() ? expected[hints.size()].size() : 0;
      hints.push_back(shown == 0 ? line : line.substr(0, shown));
    }
  }
  return hints;
}

TEST(AdapterHintsTest, TrelPortsNamesWhatKeepsAPrintersPortAway) {
  const std::string noAdapter = std::string(
                                    "hint: no USB serial adapter is present: plug in the "
                                    "printer's USB cable (") +
                                kUsbDeviceLister + " lists what is connected)";
  struct Case {
    const char* what;
    std::vector<SerialPortInfo> ports;
    std::vector<UsbDeviceProblem> devices;
    std::set<std::string> held;  // the device paths another program holds open
    std::vector<std::string> hints;
  };
  const Case cases[] = {
      {"a printer's port that works", {kProlificPort}, {}, {}, {}},
      {"older PL2303 chip refused",
       {Port("COM3", kProlific, "Prolific USB-to-Serial Comm Port", 10)},
       {},
       {},
       {"hint: \"Prolific USB-to-Serial Comm Port (COM3)\" (067b:2303): its driver failed to start "
        "(problem code 10): Prolific's newer drivers refuse the older PL2303 chips: install an "
        "older driver"}},
      {"another adapter's driver failed to start",
       {Port("COM4", kCp210x, "Silicon Labs CP210x USB to UART Bridge", 10)},
       {},
       {},
       {"hint: \"Silicon Labs CP210x USB to UART Bridge (COM4)\" (10c4:ea60): its driver failed to "
        "start (problem code 10): unplug the adapter and plug it in again; if that does not help, "
        "reinstall its driver"}},
      {"another problem code, named by its number",
       {Port("COM3", kProlific, "Prolific USB-to-Serial Comm Port", 22)},
       {},
       {},
       {"hint: \"Prolific USB-to-Serial Comm Port (COM3)\" (067b:2303): the device does not work "
        "(problem code 22): its properties in Device Manager say why"}},
      {"an adapter no printer uses is left alone",
       {Port("COM5", "vid_0403&pid_6001", "USB Serial Port", 10)},
       {},
       {},
       {}},
      {"no driver installed, once for all its interfaces",
       {kBoardPort},
       {{kProlific, "USB-Serial Controller D", 28}, {kProlific, "USB-Serial Controller D", 28}},
       {},
       {"hint: \"USB-Serial Controller D\" (067b:2303): no driver is installed for it (problem "
        "code 28): install the adapter's driver"}},
      {"no driver installed, no name",
       {},
       {{kCp210x, "", 28}},
       {},
       {"hint: the USB device 10c4:ea60: no driver is installed for it (problem code 28)"}},
      {"no USB serial adapter, a board port only", {kBoardPort}, {}, {}, {noAdapter}},
      {"no USB serial adapter, another USB device without a driver",
       {},
       {{"vid_046d&pid_c52b", "USB Receiver", 28}},
       {},
       {noAdapter}},
      {"a printer's port another program holds",
       {kProlificPort},
       {},
       {"\\\\.\\COM3"},
       {"hint: COM3 is in use by another program: close the program that has it open"}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    FakeSystemFacts facts;
    facts.devicesWithProblems = test.devices;
    for (const std::string& path : test.held) {
      DeviceNodeAccess& access = facts.nodes[path];
      access.exists = access.userCanOpen = access.heldByAnotherProgram = true;
    }
    EXPECT_EQ(HintsPrinted(test.ports, facts, test.hints), test.hints);
  }
}

}  // namespace
}  // namespace trel::testing
