#include "link/fake_serial_port.h"

#include <algorithm>

namespace trel::testing {
namespace {

class FakeSerialPort final : public SerialPort {
 public:
  explicit FakeSerialPort(std::shared_ptr<FakePortControl> control)
      : control_(std::move(control)) {}
  bool setupComm(std::uint32_t, std::uint32_t) override { return true; }
  bool setTimeouts(const SerialTimeouts&) override { return true; }
  bool setLine(const SerialLineSettings& line) override {
    control_->SetLine(line);
    return true;
  }
  bool purge() override {
    control_->Purge();
    return true;
  }
  int queuedInput() override { return 0; }
  int waitForInput(std::chrono::milliseconds limit) override {
    return control_->WaitForInput(limit);
  }
  long read(std::uint8_t* buffer, std::size_t count) override {
    return control_->Read(buffer, count);
  }
  bool write(const std::uint8_t* bytes, std::size_t count,
             std::chrono::milliseconds limit) override {
    return control_->Write(bytes, count, limit);
  }
  void cancelIo() override { control_->Cancel(); }
  void close() override { control_->Close(); }

 private:
  std::shared_ptr<FakePortControl> control_;
};

}  // namespace

void FakePortControl::Feed(const std::vector<std::uint8_t>& bytes) {
  {
    std::lock_guard lock(mutex_);
    input_.insert(input_.end(), bytes.begin(), bytes.end());
  }
  changed_.notify_all();
}

void FakePortControl::HangUp() {
  {
    std::lock_guard lock(mutex_);
    hungUp_ = true;
  }
  changed_.notify_all();
}

void FakePortControl::StallWrites() {
  std::lock_guard lock(mutex_);
  stallWrites_ = true;
}

bool FakePortControl::WaitForStalledWrite() {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, std::chrono::seconds(5), [&] { return stalledWrites_ > 0; });
}

std::vector<std::uint8_t> FakePortControl::WaitForWritten(std::size_t count) {
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, std::chrono::seconds(5), [&] { return written_.size() >= count; });
  return written_;
}

SerialLineSettings FakePortControl::line() const {
  std::lock_guard lock(mutex_);
  return line_;
}

bool FakePortControl::purged() const {
  std::lock_guard lock(mutex_);
  return purged_;
}

bool FakePortControl::closed() const {
  std::lock_guard lock(mutex_);
  return closed_;
}

int FakePortControl::failedWaits() const {
  std::lock_guard lock(mutex_);
  return failedWaits_;
}

void FakePortControl::Open() {
  std::lock_guard lock(mutex_);
  closed_ = false;
}

int FakePortControl::WaitForInput(std::chrono::milliseconds limit) {
  std::unique_lock lock(mutex_);
  const int cancels = cancels_;
  changed_.wait_for(lock, limit,
                    [&] { return !input_.empty() || hungUp_ || closed_ || cancels_ != cancels; });
  if (hungUp_ || closed_) {
    ++failedWaits_;
    return -1;
  }
  return input_.empty() ? 0 : 1;
}

long FakePortControl::Read(std::uint8_t* buffer, std::size_t count) {
  std::lock_guard lock(mutex_);
  if (closed_) {
    return -1;
  }
  const std::size_t taken = std::min(count, input_.size());
  std::copy_n(input_.begin(), taken, buffer);
  input_.erase(input_.begin(), input_.begin() + static_cast<long>(taken));
  return static_cast<long>(taken);
}

bool FakePortControl::Write(const std::uint8_t* bytes, std::size_t count,
                            std::chrono::milliseconds limit) {
  std::unique_lock lock(mutex_);
  if (stallWrites_) {
    ++stalledWrites_;
    changed_.notify_all();
    const int cancels = cancels_;
    changed_.wait_for(lock, limit, [&] { return closed_ || cancels_ != cancels; });
    return false;
  }
  if (closed_ || hungUp_) {
    return false;
  }
  written_.insert(written_.end(), bytes, bytes + count);
  changed_.notify_all();
  return true;
}

void FakePortControl::SetLine(const SerialLineSettings& line) {
  std::lock_guard lock(mutex_);
  line_ = line;
}

void FakePortControl::Purge() {
  std::lock_guard lock(mutex_);
  purged_ = true;
  input_.clear();
}

void FakePortControl::Cancel() {
  {
    std::lock_guard lock(mutex_);
    ++cancels_;
  }
  changed_.notify_all();
}

void FakePortControl::Close() {
  {
    std::lock_guard lock(mutex_);
    closed_ = true;
  }
  changed_.notify_all();
}

PortOpener FakePortOpener(std::shared_ptr<FakePortControl> control) {
  return [control](const std::string& name) {
    SerialOpenResult result;
    if (name == "missing") {
      result.error = SerialOpenError::kNotFound;
      result.message = "no such port: missing";
      return result;
    }
    control->Open();
    result.port = std::make_unique<FakeSerialPort>(control);
    return result;
  };
}

}  // namespace trel::testing
