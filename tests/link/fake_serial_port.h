#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "link/serial_session.h"

namespace trel::testing {

// A port whose far end is the test: it feeds answers, makes writes stall, and shows what the
// session wrote and how it set the line. Writes are refused once it is closed.
class FakeSerialPort final : public SerialPort {
 public:
  void Feed(const std::vector<std::uint8_t>& bytes);
  // Later writes neither complete nor fail until their limit runs out or they are cancelled.
  void StallWrites();
  // Wait (up to 5 s) until `count` bytes were written, or a write stalls; return what was written.
  std::vector<std::uint8_t> WaitForWritten(std::size_t count);
  bool WaitForStalledWrite();
  SerialLineSettings line();
  // Setting the line waits until the port is closed, as a stuck driver would.
  void HoldLineUntilClosed();
  // Wait (up to 5 s) until a line setting is being held.
  bool WaitForHeldLine();

  bool setupComm(std::uint32_t, std::uint32_t) override { return true; }
  bool setTimeouts(const SerialTimeouts&) override { return true; }
  bool setLine(const SerialLineSettings& line) override;
  bool purge() override { return true; }
  int queuedInput() override;
  int waitForInput(std::chrono::milliseconds limit) override;
  long read(std::uint8_t* buffer, std::size_t count) override;
  bool write(const std::uint8_t* bytes, std::size_t count,
             std::chrono::milliseconds limit) override;
  void cancelIo() override;
  void close() override;

 private:
  template <typename Done>
  bool WaitUntil(std::unique_lock<std::mutex>& lock, std::chrono::milliseconds limit, Done done);

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::uint8_t> input_;
  std::vector<std::uint8_t> written_;
  SerialLineSettings line_;
  bool stallWrites_ = false;
  bool stalled_ = false;
  bool closed_ = false;
  bool holdLine_ = false;
  bool lineHeld_ = false;
  int cancels_ = 0;
};

// Hands the session a new FakeSerialPort per open ("missing" is not found) and keeps a pointer to
// the latest, valid while the session holds it open.
struct FakePortOpener {
  SerialOpenResult operator()(const std::string& name);
  // Atomic: a test may wait for it while another thread opens.
  std::shared_ptr<std::atomic<FakeSerialPort*>> latest =
      std::make_shared<std::atomic<FakeSerialPort*>>(nullptr);
  // True: every new port holds its line setting until closed. Shared by the opener's copies.
  std::shared_ptr<bool> holdLine = std::make_shared<bool>(false);
};

}  // namespace trel::testing
