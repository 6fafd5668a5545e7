#include <windows.h>

#include <string>
#include <string_view>

#include "platform/serial_port.h"
#include "platform/serial_port_io_win32.h"
#include "platform/serial_port_open_win32.h"
#include "platform/wide_text_win32.h"

namespace trel {
namespace {

constexpr std::wstring_view kDeviceNamespace = L"\\\\.\\";
constexpr std::wstring_view kFileNamespace = L"\\\\?\\";

SerialOpenResult Failure(SerialOpenError error, std::string message) {
  return SerialOpenResult{nullptr, error, std::move(message)};
}

}  // namespace

// COM1 to COM9 would open without a prefix, COM10 and above only in the device namespace, so every
// bare name goes there: "com5", "COM5" and "\\.\COM12" all name a port.
std::wstring ComDevicePath(const std::string& name) {
  const std::wstring wide = WideFromUtf8(name);
  if (wide.starts_with(kDeviceNamespace) || wide.starts_with(kFileNamespace)) {
    return wide;
  }
  return std::wstring(kDeviceNamespace) + wide;
}

SerialOpenResult OpenFailure(unsigned long error, const std::string& name) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
      return Failure(SerialOpenError::kNotFound, name + ": no such port");
    // Windows reports a port that another program holds open as access denied.
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      return Failure(SerialOpenError::kBusy, name + ": in use by another program");
    case ERROR_INVALID_FUNCTION:
    case ERROR_INVALID_HANDLE:
    case ERROR_NOT_SUPPORTED:
      return Failure(SerialOpenError::kOther, name + ": not a serial port");
    default:
      return Failure(SerialOpenError::kOther, name + ": " + SystemErrorText(error));
  }
}

bool HeldByAnotherProgram(const std::string& name) {
  const HANDLE handle = ::CreateFileW(ComDevicePath(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    return OpenFailure(::GetLastError(), name).error == SerialOpenError::kBusy;
  }
  ::CloseHandle(handle);
  return false;
}

const char* const kSerialPortNaming = "Serial port: a COM port, such as com5, COM5 or \\\\.\\COM12";

SerialOpenResult OpenSerialPort(const std::string& name) {
  if (name.empty()) {
    return Failure(SerialOpenError::kNotFound, "no port chosen");
  }
  // Not shared: a port is one program's at a time.
  const HANDLE handle =
      ::CreateFileW(ComDevicePath(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    return OpenFailure(::GetLastError(), name);
  }
  if (::GetFileType(handle) != FILE_TYPE_CHAR) {
    ::CloseHandle(handle);
    return Failure(SerialOpenError::kOther, name + ": not a serial port");
  }
  auto port = std::make_unique<Win32SerialPort>(handle);
  if (!ApplyLineSettings(handle, nullptr)) {
    const DWORD error = ::GetLastError();
    port->close();
    return OpenFailure(error, name);
  }
  return SerialOpenResult{std::move(port), SerialOpenError::kNone, {}};
}

}  // namespace trel
