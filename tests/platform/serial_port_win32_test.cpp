// The parts of the Windows serial port that need no port: how names reach CreateFileW, what an
// open error tells the operator, and the hardware key of a device's interface path and instance id.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/serial_port_enumeration.h"
#include "platform/serial_port_enumeration_win32.h"
#include "platform/serial_port_open_win32.h"

namespace trel {
namespace {

TEST(ComDevicePath, EverySpellingOfAPortGoesToTheDeviceNamespace) {
  EXPECT_EQ(ComDevicePath("com5"), L"\\\\.\\com5");
  EXPECT_EQ(ComDevicePath("COM12"), L"\\\\.\\COM12");
  EXPECT_EQ(ComDevicePath("\\\\.\\COM12"), L"\\\\.\\COM12");
  EXPECT_EQ(ComDevicePath("\\\\?\\usb#vid_067b&pid_2303#1"), L"\\\\?\\usb#vid_067b&pid_2303#1");
}

TEST(SerialOpenFailure, KeepsTheCause) {
  const SerialOpenResult missing = OpenFailure(ERROR_FILE_NOT_FOUND, "com9");
  EXPECT_EQ(missing.error, SerialOpenError::kNotFound);
  EXPECT_EQ(missing.message, "com9: no such port");
  EXPECT_EQ(missing.port, nullptr);

  // A port another program holds open is refused as access denied.
  const SerialOpenResult held = OpenFailure(ERROR_ACCESS_DENIED, "COM3");
  EXPECT_EQ(held.error, SerialOpenError::kBusy);
  EXPECT_EQ(held.message, "COM3: in use by another program");

  EXPECT_EQ(OpenFailure(ERROR_INVALID_FUNCTION, "nul").message, "nul: not a serial port");
  const SerialOpenResult other = OpenFailure(ERROR_NOT_ENOUGH_MEMORY, "com1");
  EXPECT_EQ(other.error, SerialOpenError::kOther);
  EXPECT_GT(other.message.size(), std::string("com1: ").size());
}

TEST(SerialOpen, AMissingPortIsNotFound) {
  const SerialOpenResult result = OpenSerialPort("com250");
  EXPECT_EQ(result.port, nullptr);
  EXPECT_EQ(result.error, SerialOpenError::kNotFound) << result.message;
  EXPECT_EQ(OpenSerialPort("").error, SerialOpenError::kNotFound);
}

TEST(InterfacePath, CarriesTheUsbVendorAndProductAtPositionEight) {
  EXPECT_EQ(
      HardwareKeyOfInterfacePath(
          L"\\\\?\\USB#VID_067B&PID_2303#5&2a5cba3&0&2#{86e0d1e0-8089-11d0-9ce4-08003e301f73}"),
      "vid_067b&pid_2303");
  // A port on the board has no USB key there; the key then matches none of the adapters.
  EXPECT_EQ(HardwareKeyOfInterfacePath(L"\\\\?\\acpi#pnp0501#1#{4d36e978}"), "#pnp0501#1#{4d36e");
  EXPECT_EQ(HardwareKeyOfInterfacePath(L"\\\\?\\usb#vid"), "vid");
  EXPECT_EQ(HardwareKeyOfInterfacePath(L"short"), "");
}

TEST(InstanceId, EndsInTheAdaptersSerialNumber) {
  struct Case {
    const wchar_t* id;
    const char* serialNumber;
  };
  for (const Case& c : {Case{L"USB\\VID_067B&PID_2303\\A10K3Z7Q", "A10K3Z7Q"},
                        Case{L"FTDIBUS\\VID_0403+PID_6001+A10K3Z7QA\\0000", "0000"},
                        Case{L"ROOT\\PORTS\\", ""}, Case{L"no separator", ""}}) {
    EXPECT_EQ(SerialNumberOfInstanceId(c.id), c.serialNumber) << c.serialNumber;
  }
}

TEST(InstanceId, OfAUsbDeviceCarriesItsHardwareKey) {
  struct Case {
    const wchar_t* id;
    const char* key;
  };
  for (const Case& c :
       {Case{L"USB\\VID_067B&PID_2303\\5&2a5cba3&0&2", "vid_067b&pid_2303"},
        Case{L"usb\\vid_05c6&pid_9000&mi_02\\6&1", "vid_05c6&pid_9000"},
        Case{L"FTDIBUS\\VID_0403+PID_6001+A10K3Z7QA\\0000", ""}, Case{L"USB", ""}}) {
    EXPECT_EQ(HardwareKeyOfInstanceId(c.id), c.key) << c.key;
  }
}

// Wine's setup interface has a "Ports" class with no device in it; a machine without ports lists
// none, and the listing never fails.
TEST(PortEnumeration, ListsAtMostTheFirstEntriesAndNeverFails) {
  EXPECT_LE(EnumerateSerialPorts().size(), kListedPortEntries);
}

}  // namespace
}  // namespace trel
