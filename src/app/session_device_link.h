#pragma once

#include "app/device_link.h"
#include "link/serial_session.h"

namespace trel {

// The window's link to the printer: the process's serial session.
class SessionDeviceLink : public DeviceLink {
 public:
  explicit SessionDeviceLink(SerialSession& session) : session_(session) {}

  void SerialSetDataCallback(SerialDataCallback callback) override {
    session_.SerialSetDataCallback(std::move(callback));
  }
  int SerialStart(WindowMessages& window) override { return session_.SerialStart(&window); }
  void SerialShutdown() override { session_.SerialShutdown(); }
  int SerialSetLine(int stopBitsCode, std::uint32_t baudRate) override {
    return session_.SerialSetLine(stopBitsCode, baudRate);
  }
  int SerialOpen(const std::string& portName) override { return session_.SerialOpen(portName); }
  int SerialWrite(const std::uint8_t* bytes, std::size_t count) override {
    return session_.SerialWrite(bytes, count);
  }
  int SerialClose() override { return session_.SerialClose(); }
  std::string lastOpenError() const override { return session_.lastOpenError(); }

 private:
  SerialSession& session_;
};

}  // namespace trel
