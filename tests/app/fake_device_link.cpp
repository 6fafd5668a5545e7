#include "app/fake_device_link.h"

namespace trel::testing {

void FakeDeviceLink::SerialSetDataCallback(SerialDataCallback dataCallback) {
  hasCallback = static_cast<bool>(dataCallback);
  callback = std::move(dataCallback);
}

void FakeDeviceLink::deliver(const std::vector<std::uint8_t>& bytes) {
  callback(0, static_cast<std::uint32_t>(bytes.size()), bytes.data());
}

int FakeDeviceLink::SerialStart(WindowMessages&) {
  started = startResult != 0;
  return startResult;
}

void FakeDeviceLink::SerialShutdown() {
  shutDown = true;
}

int FakeDeviceLink::SerialSetLine(int stopBitsCode, std::uint32_t baudRate) {
  const std::lock_guard lock(mutex_);
  lastStopBits = stopBitsCode;
  lastBaudRate = baudRate;
  return 1;
}

int FakeDeviceLink::SerialOpen(const std::string& portName) {
  std::unique_lock lock(mutex_);
  opening_ = true;
  openReleased_.wait(lock, [this] { return !holdOpens || openAllowed_; });
  opening_ = openAllowed_ = false;
  opened.push_back(portName);
  return openResult;
}

int FakeDeviceLink::SerialWrite(const std::uint8_t*, std::size_t) {
  const std::lock_guard lock(mutex_);
  ++writes;
  return closes == 0 ? writeResult : 0;
}

int FakeDeviceLink::writeCount() const {
  const std::lock_guard lock(mutex_);
  return writes;
}

int FakeDeviceLink::closeCount() const {
  const std::lock_guard lock(mutex_);
  return closes;
}

bool FakeDeviceLink::opening() const {
  const std::lock_guard lock(mutex_);
  return opening_;
}

void FakeDeviceLink::letOpenGo() {
  const std::lock_guard lock(mutex_);
  openAllowed_ = true;
  openReleased_.notify_all();
}

int FakeDeviceLink::SerialClose() {
  const std::lock_guard lock(mutex_);
  ++closes;
  openAllowed_ = openAllowed_ || opening_;
  openReleased_.notify_all();
  return 1;
}

}  // namespace trel::testing
