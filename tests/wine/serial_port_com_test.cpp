// The Windows serial port against the stand-in printer on a COM port of the Wine prefix (the test
// driver links the printer's pseudo-terminal there and names the port in TREL_TEST_COM_PORT).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <string>
#include <vector>

#include "platform/serial_port.h"

namespace trel {
namespace {

using namespace std::chrono_literals;

// The clock frame of 2026-12-08 14:30:05; the printer acknowledges it with FE, its checksum 92
// and its sequence 03.
const std::vector<std::uint8_t> kClockFrame = {0xFE, 0x07, 0x03, 0x06, 0x26, 0x12, 0x08,
                                               0x14, 0x30, 0x05, 0x00, 0x92, 0xFF, 0xFF};
constexpr std::size_t kAckLength = 8;
// Long enough never to end by itself while a test waits for a wake-up.
constexpr auto kLongWait = 60s;

class ComPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* name = std::getenv("TREL_TEST_COM_PORT");
    ASSERT_NE(name, nullptr) << "run by tests/wine/trel_exe_e2e.sh serial-port";
    SerialOpenResult opened = OpenSerialPort(name);
    ASSERT_NE(opened.port, nullptr) << opened.message;
    port_ = std::move(opened.port);
    ASSERT_TRUE(port_->setupComm(1024, 1024));
    ASSERT_TRUE(port_->setTimeouts({.readIntervalMs = 1000,
                                    .readTotalMultiplierMs = 500,
                                    .readTotalConstantMs = 5000,
                                    .writeTotalMultiplierMs = 500,
                                    .writeTotalConstantMs = 2000}));
    // One and a half stop bits, Windows' code 1.
    ASSERT_TRUE(port_->setLine({.baudRate = 115200, .stopBitsCode = 1}));
    ASSERT_TRUE(port_->purge());
  }

  // Reads until `count` bytes came or a wait for more ends empty.
  std::vector<std::uint8_t> readAnswer(std::size_t count) {
    std::vector<std::uint8_t> answer;
    while (answer.size() < count && port_->waitForInput(5s) == 1) {
      std::uint8_t buffer[64];
      const long got = port_->read(buffer, sizeof buffer);
      if (got <= 0) {
        break;
      }
      answer.insert(answer.end(), buffer, buffer + got);
    }
    return answer;
  }

  // A thread waiting for input that never comes by itself; returns once it is about to wait. The
  // read it waits with has no comm time-outs, so only a wake-up ends it; the thread may still be
  // on its way into the wait.
  std::future<int> startWaitingReader() {
    EXPECT_TRUE(port_->setTimeouts({}));
    std::promise<void> waiting;
    std::future<void> started = waiting.get_future();
    auto reader = std::async(std::launch::async, [this, &waiting] {
      waiting.set_value();
      return port_->waitForInput(kLongWait);
    });
    started.wait();
    return reader;
  }

  std::unique_ptr<SerialPort> port_;
};

TEST_F(ComPortTest, AFrameGoesOutAndItsAcknowledgementComesBack) {
  ASSERT_TRUE(port_->write(kClockFrame.data(), kClockFrame.size(), 2s));
  const std::vector<std::uint8_t> answer = readAnswer(kAckLength);
  ASSERT_EQ(answer.size(), kAckLength);
  EXPECT_EQ(answer[0], 0xFE);
  EXPECT_EQ(answer[1], 0x92);
  EXPECT_EQ(answer[2], 0x03);
  EXPECT_EQ(port_->queuedInput(), 0);
}

TEST_F(ComPortTest, WaitingInputIsCountedAndPurged) {
  ASSERT_TRUE(port_->write(kClockFrame.data(), kClockFrame.size(), 2s));
  ASSERT_EQ(port_->waitForInput(5s), 1);
  EXPECT_GE(port_->queuedInput(), 1);
  // The rest of the answer follows at once; the purge drops whatever of it has come.
  readAnswer(1);
  ASSERT_TRUE(port_->purge());
  EXPECT_EQ(port_->queuedInput(), 0);
}

// The comm time-outs end a read without input; that is no input, not a failed port.
TEST_F(ComPortTest, AReadEndedByTheCommTimeOutsMeansNoInput) {
  ASSERT_TRUE(port_->setTimeouts({.readTotalConstantMs = 100}));
  EXPECT_EQ(port_->waitForInput(kLongWait), 0);
  ASSERT_TRUE(port_->write(kClockFrame.data(), kClockFrame.size(), 2s));
  EXPECT_EQ(readAnswer(kAckLength).size(), kAckLength);
}

TEST_F(ComPortTest, CancelWakesAWaitingReaderAndTheLineGoesOn) {
  std::future<int> reader = startWaitingReader();
  const auto start = std::chrono::steady_clock::now();
  // A cancel only ends a wait in progress, so one that came before the wait began is (rightly)
  // lost: cancel again until the reader has returned.
  while (reader.wait_for(5ms) != std::future_status::ready) {
    port_->cancelIo();
  }
  EXPECT_EQ(reader.get(), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, kLongWait / 2);

  ASSERT_TRUE(port_->write(kClockFrame.data(), kClockFrame.size(), 2s));
  EXPECT_EQ(readAnswer(kAckLength).size(), kAckLength);
}

TEST_F(ComPortTest, CloseWakesAWaitingReaderAndEndsThePort) {
  std::future<int> reader = startWaitingReader();
  port_->close();
  ASSERT_EQ(reader.wait_for(kLongWait / 2), std::future_status::ready);
  EXPECT_LE(reader.get(), 0);

  std::uint8_t byte = 0;
  EXPECT_EQ(port_->read(&byte, 1), -1);
  EXPECT_FALSE(port_->write(kClockFrame.data(), kClockFrame.size(), 2s));
  EXPECT_EQ(port_->queuedInput(), -1);
  EXPECT_FALSE(port_->purge());
}

}  // namespace
}  // namespace trel
