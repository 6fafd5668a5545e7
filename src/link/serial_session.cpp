#include "link/serial_session.h"

#include "link/serial_session_impl.h"

#include <utility>

namespace trel {
namespace {

constexpr std::chrono::milliseconds kOpenPollInterval{20};
// Polls SerialOpen waits for the link thread to arrive at the port lock, and, once the line is
// configured, for the printer's device to be selected.
constexpr int kOpenPolls = 200;
// How long shutdown waits for the link and delivery threads, and for the device message thread.
constexpr std::chrono::milliseconds kLinkThreadsStopLimit{10200};
constexpr std::chrono::milliseconds kDeviceThreadStopLimit{1000};

}  // namespace

SerialSession::Impl::Impl(SessionDependencies dependencies)
    : openPort_(std::move(dependencies.openPort)),
      timings_(dependencies.timings),
      discovery_(std::move(dependencies.enumeratePorts)) {}

SerialSession::Impl::~Impl() {
  SerialShutdown();
}

void SerialSession::Impl::SerialSetDataCallback(SerialDataCallback callback) {
  callback_.Set(std::move(callback));
  // Bytes that waited in the ring for a callback can go now.
  dataArrived_.Set();
}

int SerialSession::Impl::SerialStart(WindowMessages* window) {
  std::lock_guard lifecycle(lifecycleLock_);
  window_ = window;
  if (!linkRun_.load()) {
    stopEvent_.Reset();
  }
  if (!state_.messageThreadReady.load()) {
    state_.messageThreadReady = true;
    if (!deviceThread_.Start()) {
      state_.messageThreadReady = false;
      return 0;
    }
  }
  if (!linkThread_.Running()) {
    linkRun_ = true;
    if (!linkThread_.Start([this] { RunLinkThread(); })) {
      linkRun_ = false;
      return 0;
    }
  }
  return delivery_.Start() ? 1 : 0;
}

int SerialSession::Impl::SerialSetLine(int stopBitsCode, std::uint32_t baudRate) {
  stopBitsCode_ = stopBitsCode;
  lineBaudRate_ = baudRate;
  return 1;
}

int SerialSession::Impl::SerialOpen(const std::string& portName) {
  const auto deadline = std::chrono::steady_clock::now() + timings_.openLimit;
  closed_.Reset();
  std::uint64_t closes = closes_.load();
  SerialOpenResult opened = openPort_(portName);
  if (!opened.port) {
    SetLastOpenError(opened.message.empty() ? "cannot open " + portName : opened.message);
    return 0;
  }
  if (!linkRun_.load()) {
    opened.port->close();
    SetLastOpenError("the serial link is not running");
    return 0;
  }
  SetLastOpenError("");
  if (portOpen_.load()) {
    // A port left open (a link that ended by a failed write, or a second open) is closed first, so
    // its read loop ends and the link thread comes round to configure the new one.
    SerialClose();
    closed_.Reset();
    closes = closes_.load();  // that close was this open's own
  }
  InstallPort(std::move(opened.port), deadline, closes);
  if (!WaitForPrinterDevice(deadline, closes)) {
    const bool closedMeanwhile = closes_.load() != closes;
    SerialClose();
    SetLastOpenError(closedMeanwhile
                         ? portName + ": closed while it was opening"
                         : portName + " opened, but the link to the printer did not come up");
    return 0;
  }
  ring_.Clear();
  delivery_.RequestClear();
  return 1;
}

// Installs the port under the port lock once the link thread waits at that lock, so that its next
// cycle finds the port and configures it rather than scanning.
void SerialSession::Impl::InstallPort(std::unique_ptr<SerialPort> port,
                                      std::chrono::steady_clock::time_point deadline,
                                      std::uint64_t closes) {
  std::lock_guard lock(portLock_);
  state_.linkState = 0;
  scanWake_.Set();
  for (int poll = 0; poll < kOpenPolls && !linkThreadAtLock_.load() && linkRun_.load() &&
                     std::chrono::steady_clock::now() < deadline;
       ++poll) {
    if (!OpenMayWait(closes)) {
      break;  // installed all the same: the open's failure closes it
    }
  }
  portOpen_ = true;
  std::lock_guard closeLock(closeLock_);
  port_ = std::move(port);
}

bool SerialSession::Impl::OpenMayWait(std::uint64_t closes) {
  closed_.Wait(kOpenPollInterval);
  return closes_.load() == closes;
}

void SerialSession::Impl::MarkClosed() {
  ++closes_;
  closed_.Set();
}

bool SerialSession::Impl::WaitForPrinterDevice(std::chrono::steady_clock::time_point deadline,
                                               std::uint64_t closes) {
  for (int poll = 0;; ++poll) {
    if (state_.linkState.load() != 0) {
      // Only the printer's own device means the link is up; the idle one, or none yet, does not.
      // A close that came meanwhile wins, even when the link thread finished configuring the port
      // just after it.
      if (state_.currentDevice.load() == &serialDevice_) {
        return closes_.load() == closes;
      }
      if (poll >= kOpenPolls) {
        return false;
      }
    }
    if (!linkRun_.load() || std::chrono::steady_clock::now() >= deadline || !OpenMayWait(closes)) {
      return false;
    }
  }
}

int SerialSession::Impl::SerialWrite(const std::uint8_t* bytes, std::size_t count) {
  CDeviceObject* device = state_.currentDevice.load();
  return device != nullptr ? device->Write(bytes, count) : 0;
}

int SerialSession::Impl::SerialClose() {
  MarkClosed();
  state_.reading = false;
  portOpen_ = false;
  ClosePort();
  state_.currentDevice = &idleDevice_;
  return 1;
}

std::string SerialSession::Impl::lastOpenError() const {
  std::lock_guard lock(openErrorLock_);
  return lastOpenError_;
}

void SerialSession::Impl::SetLastOpenError(std::string text) {
  std::lock_guard lock(openErrorLock_);
  lastOpenError_ = std::move(text);
}

int SerialSession::Impl::SerialShutdown() {
  std::lock_guard lifecycle(lifecycleLock_);
  linkRun_ = false;
  state_.reading = false;
  state_.messageThreadReady = false;
  stopEvent_.Set();
  scanWake_.Set();
  MarkClosed();
  // Wakes a read or write in progress at once.
  CancelPortIo();
  linkThread_.Stop(kLinkThreadsStopLimit);
  delivery_.Stop(kLinkThreadsStopLimit);
  deviceThread_.Stop(kDeviceThreadStopLimit);
  std::lock_guard write(writeLock_);
  ClosePort();
  return 1;
}

std::shared_ptr<SerialPort> SerialSession::Impl::CurrentPort() const {
  std::lock_guard lock(closeLock_);
  return port_;
}

void SerialSession::Impl::CancelPortIo() {
  if (std::shared_ptr<SerialPort> port = CurrentPort()) {
    port->cancelIo();
  }
}

// Closing wakes every wait on the port at once; a thread that still holds the port sees every
// later call fail.
void SerialSession::Impl::ClosePort() {
  std::shared_ptr<SerialPort> closing;
  {
    std::lock_guard lock(closeLock_);
    closing = std::move(port_);
    port_.reset();
    state_.linkState = 0;
  }
  if (closing) {
    closing->cancelIo();
    closing->close();
  }
}

void SerialSession::Impl::PostToWindow(unsigned message) {
  if (WindowMessages* window = window_.load()) {
    window->post(message, 0, 0);
  }
}

void SerialSession::Impl::PostToDeviceThread(unsigned message, std::uintptr_t wParam,
                                             std::intptr_t lParam) {
  // Posted also while shutting down: the link's last "link down" must still reach the thread, which
  // stops only after the link thread. A message to a stopped thread is dropped when it starts
  // again.
  deviceThread_.PostThreadMessage(message, wParam, lParam);
}

SerialSession::SerialSession(SessionDependencies dependencies)
    : impl_(std::make_unique<Impl>(std::move(dependencies))) {}

SerialSession::~SerialSession() = default;

void SerialSession::SerialSetDataCallback(SerialDataCallback callback) {
  impl_->SerialSetDataCallback(std::move(callback));
}

int SerialSession::SerialStart(WindowMessages* window) {
  return impl_->SerialStart(window);
}

int SerialSession::SerialSetLine(int stopBitsCode, std::uint32_t baudRate) {
  return impl_->SerialSetLine(stopBitsCode, baudRate);
}

int SerialSession::SerialOpen(const std::string& portName) {
  return impl_->SerialOpen(portName);
}

int SerialSession::SerialWrite(const std::uint8_t* bytes, std::size_t count) {
  return impl_->SerialWrite(bytes, count);
}

int SerialSession::SerialClose() {
  return impl_->SerialClose();
}

std::string SerialSession::lastOpenError() const {
  return impl_->lastOpenError();
}

int SerialSession::SerialShutdown() {
  return impl_->SerialShutdown();
}

std::uint64_t SerialSession::droppedBytes() const {
  return impl_->droppedBytes();
}

}  // namespace trel
