#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "app/device_link.h"

namespace trel::testing {

// A link that never touches a port: it remembers what the window asked of it.
class FakeDeviceLink : public DeviceLink {
 public:
  void SerialSetDataCallback(SerialDataCallback callback) override;
  int SerialStart(WindowMessages& window) override;
  void SerialShutdown() override;
  int SerialSetLine(int stopBitsCode, std::uint32_t baudRate) override;
  int SerialOpen(const std::string& portName) override;
  int SerialWrite(const std::uint8_t* bytes, std::size_t count) override;
  int SerialClose() override;
  std::string lastOpenError() const override { return openError; }
  // Hands bytes to the reply callback as the link's delivery would.
  void deliver(const std::vector<std::uint8_t>& bytes);
  int writeCount() const;
  int closeCount() const;
  // True while an open is held; letOpenGo() lets it answer.
  bool opening() const;
  void letOpenGo();

  // An open waits until the test lets it go or the link is closed, so an update stays running.
  bool holdOpens = false;
  int startResult = 1;
  int openResult = 0;
  std::string openError;  // why an open failed
  int writeResult = 0;    // after SerialClose every write fails
  bool started = false;
  bool shutDown = false;
  bool hasCallback = false;
  SerialDataCallback callback;
  int lastStopBits = -1;
  std::uint32_t lastBaudRate = 0;
  std::vector<std::string> opened;
  int closes = 0;
  int writes = 0;

 private:
  mutable std::mutex mutex_;
  std::condition_variable openReleased_;
  bool opening_ = false;
  bool openAllowed_ = false;
};

}  // namespace trel::testing
