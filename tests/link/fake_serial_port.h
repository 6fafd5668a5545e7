#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "link/serial_session.h"
#include "platform/serial_port.h"

namespace trel::testing {

// The far end of a fake port, kept by the test: it feeds answers, hangs up, makes writes stall, and
// shows what the session did to the port. Every port the opener hands out shares it.
class FakePortControl {
 public:
  void Feed(const std::vector<std::uint8_t>& bytes);
  void HangUp();
  // Later writes neither complete nor fail until their limit runs out or they are cancelled.
  void StallWrites();
  // Waits (up to 5 s) until a write stalls; true when one does.
  bool WaitForStalledWrite();
  // Waits (up to 5 s) until at least `count` bytes were written and returns all written so far.
  std::vector<std::uint8_t> WaitForWritten(std::size_t count);
  SerialLineSettings line() const;
  bool purged() const;
  bool closed() const;
  int failedWaits() const;

  // The port's side.
  void Open();
  int WaitForInput(std::chrono::milliseconds limit);
  long Read(std::uint8_t* buffer, std::size_t count);
  bool Write(const std::uint8_t* bytes, std::size_t count, std::chrono::milliseconds limit);
  void SetLine(const SerialLineSettings& line);
  void Purge();
  void Cancel();
  void Close();

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::uint8_t> input_;
  std::vector<std::uint8_t> written_;
  SerialLineSettings line_;
  bool purged_ = false;
  bool hungUp_ = false;
  bool stallWrites_ = false;
  bool closed_ = false;
  int cancels_ = 0;
  int failedWaits_ = 0;
  int stalledWrites_ = 0;
};

// An opener for the session: "missing" is not found; any other name opens a port of `control`.
PortOpener FakePortOpener(std::shared_ptr<FakePortControl> control);

}  // namespace trel::testing
