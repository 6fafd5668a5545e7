#include "link/fake_serial_port.h"

#include <algorithm>

namespace trel::testing {

constexpr std::chrono::seconds kTestLimit{5};

template <typename Done>
bool FakeSerialPort::WaitUntil(std::unique_lock<std::mutex>& lock, std::chrono::milliseconds limit,
                               Done done) {
  const int cancels = cancels_;
  return changed_.wait_for(lock, limit, [&] { return done() || closed_ || cancels_ != cancels; });
}

void FakeSerialPort::Feed(const std::vector<std::uint8_t>& bytes) {
  std::lock_guard lock(mutex_);
  input_.insert(input_.end(), bytes.begin(), bytes.end());
  changed_.notify_all();
}

void FakeSerialPort::StallWrites() {
  std::lock_guard lock(mutex_);
  stallWrites_ = true;
}

std::vector<std::uint8_t> FakeSerialPort::WaitForWritten(std::size_t count) {
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, kTestLimit, [&] { return written_.size() >= count; });
  return written_;
}

bool FakeSerialPort::WaitForStalledWrite() {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, kTestLimit, [&] { return stalled_; });
}

SerialLineSettings FakeSerialPort::line() {
  std::lock_guard lock(mutex_);
  return line_;
}

void FakeSerialPort::HoldLineUntilClosed() {
  std::lock_guard lock(mutex_);
  holdLine_ = true;
}

bool FakeSerialPort::WaitForHeldLine() {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, kTestLimit, [&] { return lineHeld_; });
}

bool FakeSerialPort::setLine(const SerialLineSettings& line) {
  std::unique_lock lock(mutex_);
  line_ = line;
  lineHeld_ = holdLine_;
  changed_.notify_all();
  changed_.wait(lock, [&] { return !holdLine_ || closed_; });
  return true;
}

int FakeSerialPort::queuedInput() {
  std::lock_guard lock(mutex_);
  return closed_ ? -1 : static_cast<int>(input_.size());
}

int FakeSerialPort::waitForInput(std::chrono::milliseconds limit) {
  std::unique_lock lock(mutex_);
  WaitUntil(lock, limit, [&] { return !input_.empty(); });
  return closed_ ? -1 : (input_.empty() ? 0 : 1);
}

long FakeSerialPort::read(std::uint8_t* buffer, std::size_t count) {
  std::lock_guard lock(mutex_);
  const std::size_t taken = std::min(count, input_.size());
  std::copy_n(input_.begin(), taken, buffer);
  input_.erase(input_.begin(), input_.begin() + static_cast<long>(taken));
  return closed_ ? -1 : static_cast<long>(taken);
}

bool FakeSerialPort::write(const std::uint8_t* bytes, std::size_t count,
                           std::chrono::milliseconds limit) {
  std::unique_lock lock(mutex_);
  if (stallWrites_) {
    stalled_ = true;
    changed_.notify_all();
    WaitUntil(lock, limit, [] { return false; });
    return false;
  }
  if (!closed_) {
    written_.insert(written_.end(), bytes, bytes + count);
    changed_.notify_all();
  }
  return !closed_;
}

void FakeSerialPort::cancelIo() {
  std::lock_guard lock(mutex_);
  ++cancels_;
  changed_.notify_all();
}

void FakeSerialPort::close() {
  std::lock_guard lock(mutex_);
  closed_ = true;
  changed_.notify_all();
}

SerialOpenResult FakePortOpener::operator()(const std::string& name) {
  SerialOpenResult result;
  if (name == "missing") {
    result.error = SerialOpenError::kNotFound;
    result.message = "no such port: missing";
    return result;
  }
  auto port = std::make_unique<FakeSerialPort>();
  if (*holdLine) {
    port->HoldLineUntilClosed();
  }
  latest->store(port.get());
  result.port = std::move(port);
  return result;
}

}  // namespace trel::testing
