// The link thread of the serial session: scanning while no port is open, configuring and reading
// the port once one is, and the writes through the port.
#include "link/serial_session_impl.h"

namespace trel {
namespace {

// Longest single wait of the read loop, so that it notices a cleared flag promptly.
constexpr std::chrono::milliseconds kReadWait{50};
constexpr std::uint32_t kDriverQueueSize = 1024;
constexpr SerialTimeouts kLinkTimeouts{.readIntervalMs = 1000,
                                       .readTotalMultiplierMs = 500,
                                       .readTotalConstantMs = 5000,
                                       .writeTotalMultiplierMs = 500,
                                       .writeTotalConstantMs = 2000};
// Stop-bit codes above this one mean one stop bit.
constexpr int kLastStopBitsCode = 2;

}  // namespace

void SerialSession::Impl::RunLinkThread() {
  state_.linkState = 0;
  while (linkRun_.load()) {
    RunLinkCycle();
    if (linkRun_.load()) {
      scanWake_.Wait(timings_.rescanPause);
      scanWake_.Reset();
    }
  }
}

void SerialSession::Impl::RunLinkCycle() {
  linkThreadAtLock_ = true;
  {
    std::lock_guard lock(portLock_);
    if (!portOpen_.load()) {
      discovery_.Scan(window_.load());
    }
  }
  linkThreadAtLock_ = false;
  if (!portOpen_.load()) {
    ClosePort();
    return;
  }
  ConfigureAndRead();
}

void SerialSession::Impl::ConfigureAndRead() {
  PostToDeviceThread(kLinkUpMessage);
  // A link that ended by a failed write keeps portOpen_ without a port until SerialClose; its
  // cycles then read nothing, pausing between read steps.
  if (std::shared_ptr<SerialPort> port = CurrentPort()) {
    ConfigureLine(*port);
  }
  state_.linkState = kLinkConfigured;
  // Reading starts before the record that selects the device is posted: a record that selects no
  // device clears the flag again, and must not be overtaken.
  state_.reading = true;
  PostToDeviceThread(kTypeRecordMessage, kSerialTypeRecordWParam, kSerialTypeRecordLParam);
  while (state_.reading.load() && portOpen_.load() && linkRun_.load()) {
    ReadStep();
  }
  PostToWindow(WM_LINK_ENDED);
  {
    std::lock_guard lock(writeLock_);
    ClosePort();
  }
  PostToDeviceThread(kLinkDownMessage);
}

// The results are not checked: a port that refuses a setting still carries bytes, and a failing
// port shows in the reads and writes that follow.
void SerialSession::Impl::ConfigureLine(SerialPort& port) {
  port.setupComm(kDriverQueueSize, kDriverQueueSize);
  port.setTimeouts(kLinkTimeouts);
  const int stopBits = stopBitsCode_.load();
  port.setLine({.baudRate = lineBaudRate_.load(),
                .stopBitsCode = stopBits > kLastStopBitsCode ? 0 : stopBits});
  port.purge();
}

void SerialSession::Impl::ReadStep() {
  std::shared_ptr<SerialPort> port = CurrentPort();
  if (port == nullptr || state_.currentDevice.load() == nullptr) {
    PauseReading();
    return;
  }
  const int ready = port->waitForInput(kReadWait);
  if (ready == 0) {
    return;
  }
  const long received = ready > 0 ? port->read(readBuffer_.data(), readBuffer_.size()) : -1;
  if (received <= 0) {
    // A hung-up or failed port reports the same at once every time: wait instead of asking again.
    PauseReading();
    return;
  }
  state_.currentDevice.load()->Receive(readBuffer_.data(), static_cast<std::size_t>(received));
}

void SerialSession::Impl::PauseReading() {
  stopEvent_.Wait(kReadWait);
}

void SerialSession::Impl::StoreReceived(const std::uint8_t* bytes, std::size_t count) {
  ring_.Append(bytes, count);
  dataArrived_.Set();
}

int SerialSession::Impl::WriteKeepingLink(const std::uint8_t* bytes, std::size_t count) {
  return WriteToPort(bytes, count, false);
}

int SerialSession::Impl::WriteEndingLink(const std::uint8_t* bytes, std::size_t count) {
  return WriteToPort(bytes, count, true);
}

int SerialSession::Impl::WriteToPort(const std::uint8_t* bytes, std::size_t count,
                                     bool endLinkOnFailure) {
  std::shared_ptr<SerialPort> port;
  bool written = false;
  {
    std::lock_guard lock(writeLock_);
    port = CurrentPort();
    if (port == nullptr) {
      return 0;
    }
    written = port->write(bytes, count, timings_.writeLimit);
  }
  if (written) {
    return 1;
  }
  port->cancelIo();
  if (endLinkOnFailure) {
    state_.reading = false;
  }
  return 0;
}

}  // namespace trel
