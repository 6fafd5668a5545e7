#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/natural_order.h"
#include "platform/serial_port_enumeration_linux.h"
#include "support/fake_sysfs.h"
#include "support/temp_dir.h"

namespace trel {
namespace {

using testing::FakeSysfs;
using testing::FakeUsbPort;

class SerialPortEnumerationTest : public ::testing::Test {
 protected:
  // The one port enumerated; fails the test when there is not exactly one.
  SerialPortInfo onlyPort() {
    const auto ports = EnumerateSerialPortsBelow(sysfs_.root());
    EXPECT_EQ(ports.size(), 1u);
    return ports.empty() ? SerialPortInfo{} : ports.front();
  }

  testing::TempDir dir_;
  FakeSysfs sysfs_{dir_.path() / "sys"};
};

TEST_F(SerialPortEnumerationTest, SingleAdaptersGetTheirDriversNameAndALowerCaseKey) {
  struct Case {
    FakeUsbPort port;
    std::string key;
    std::string displayName;
  };
  const Case cases[] = {
      {{"ttyUSB0", "pl2303", "067B", "2303", "USB-Serial Controller", 0, ""},
       "vid_067b&pid_2303",
       "Prolific USB-to-Serial Comm Port (ttyUSB0)"},
      {{"ttyUSB1", "cp210x", "10c4", "EA60", "CP2102 USB to UART", 0, ""},
       "vid_10c4&pid_ea60",
       "Silicon Labs CP210x USB to UART Bridge (ttyUSB1)"},
      {{"ttyUSB2", "option", "1e0e", "9001", "SimCom Modem", 2, ""},
       "vid_1e0e&pid_9001",
       "SimCom Modem (ttyUSB2)"},  // a known driver on another vendor: the product string
      {{"ttyUSB3", "ftdi_sio", "0403", "6001", "", 0, ""}, "vid_0403&pid_6001", "ttyUSB3"},
  };
  for (const Case& c : cases) {
    sysfs_.addUsbPort(c.port);
  }
  const auto ports = EnumerateSerialPortsBelow(sysfs_.root());
  ASSERT_EQ(ports.size(), std::size(cases));
  for (std::size_t i = 0; i < ports.size(); ++i) {
    EXPECT_EQ(ports[i].deviceName, cases[i].port.ttyName);
    EXPECT_EQ(ports[i].devicePath, "/dev/" + cases[i].port.ttyName);
    EXPECT_EQ(ports[i].hardwareKey, cases[i].key);
    EXPECT_EQ(ports[i].displayName, cases[i].displayName);
  }
}

TEST_F(SerialPortEnumerationTest, AcmPortIsMediaTekOnlyOnItsVendor) {
  sysfs_.addUsbPort({"ttyACM0", "cdc_acm", "0e8d", "0003", "MT65xx Preloader", 1, ""});
  sysfs_.addUsbPort({"ttyACM1", "cdc_acm", "2341", "0043", "Arduino Uno", 0, ""});
  const auto ports = EnumerateSerialPortsBelow(sysfs_.root());
  ASSERT_EQ(ports.size(), 2u);
  EXPECT_EQ(ports[0].hardwareKey, "vid_0e8d&pid_0003");
  EXPECT_EQ(ports[0].displayName, "MediaTek USB Port (ttyACM0)");
  EXPECT_EQ(ports[1].hardwareKey, "vid_2341&pid_0043");
  EXPECT_EQ(ports[1].displayName, "Arduino Uno (ttyACM1)") << "other makes: the product string";
}

TEST_F(SerialPortEnumerationTest, QualcommInterfacesAreNamedByInterfaceNumber) {
  for (int number = 0; number < 4; ++number) {
    sysfs_.addUsbPort({"ttyUSB" + std::to_string(number), number % 2 == 0 ? "option" : "qcserial",
                       "05c6", "9000", "Qualcomm CDMA Technologies MSM", number, "1-4"});
  }
  const auto ports = EnumerateSerialPortsBelow(sysfs_.root());
  ASSERT_EQ(ports.size(), 4u);
  EXPECT_EQ(ports[0].displayName, "SimTech HS-USB Diagnostics 9000 (ttyUSB0)");
  EXPECT_EQ(ports[1].displayName, "SimTech HS-USB Diagnostics 9000 (ttyUSB1)");
  EXPECT_EQ(ports[2].displayName, "SimTech HS-USB AT Port 9000 (ttyUSB2)");
  EXPECT_EQ(ports[3].displayName, "SimTech HS-USB Diagnostics 9000 (ttyUSB3)");
  for (const auto& port : ports) {
    EXPECT_EQ(port.hardwareKey, "vid_05c6&pid_9000");
  }
}

TEST_F(SerialPortEnumerationTest, BoardPortsHaveNoKeyAndEmptySlotsAndVirtualTerminalsAreLeftOut) {
  sysfs_.addBoardPort("ttyS0");
  sysfs_.addBoardPort("ttyS1", false);
  sysfs_.addVirtualTerminal("tty1");
  sysfs_.addVirtualTerminal("ptmx");
  const auto port = onlyPort();
  EXPECT_EQ(port.deviceName, "ttyS0");
  EXPECT_EQ(port.hardwareKey, "");
  EXPECT_EQ(port.displayName, "ttyS0");
}

TEST_F(SerialPortEnumerationTest, PortsComeInNaturalOrder) {
  for (const char* name : {"ttyUSB10", "ttyUSB2", "ttyACM0", "ttyUSB1"}) {
    sysfs_.addUsbPort({name, "pl2303", "067b", "2303", "", 0, ""});
  }
  sysfs_.addBoardPort("ttyS0");
  std::vector<std::string> names;
  for (const auto& port : EnumerateSerialPortsBelow(sysfs_.root())) {
    names.push_back(port.deviceName);
  }
  EXPECT_EQ(names,
            (std::vector<std::string>{"ttyACM0", "ttyS0", "ttyUSB1", "ttyUSB2", "ttyUSB10"}));
}

TEST(SerialPortEnumeration, MissingSysfsGivesNoPorts) {
  testing::TempDir dir;
  EXPECT_TRUE(EnumerateSerialPortsBelow(dir / "nothing-here").empty());
}

TEST(NaturalOrder, NumbersCompareByValueAndTextByBytes) {
  EXPECT_TRUE(NaturalLess("ttyUSB2", "ttyUSB10"));
  EXPECT_FALSE(NaturalLess("ttyUSB10", "ttyUSB2"));
  EXPECT_TRUE(NaturalLess("ttyACM9", "ttyUSB0"));
  EXPECT_TRUE(NaturalLess("tty", "tty0"));
  EXPECT_FALSE(NaturalLess("ttyUSB1", "ttyUSB1"));
  // Leading zeros: equal by value, still a strict order.
  EXPECT_NE(NaturalLess("tty01", "tty1"), NaturalLess("tty1", "tty01"));
  // Digit runs longer than any integer type.
  EXPECT_TRUE(NaturalLess("a99999999999999999999999", "a100000000000000000000000"));
}

}  // namespace
}  // namespace trel
