// The real session, threads and termios port over a pseudo-terminal, against the stand-in printer.
#include <sys/resource.h>

#include <gtest/gtest.h>

#include <thread>

#include "link/burst_collector.h"
#include "link/recording_window.h"
#include "link/serial_session.h"
#include "support/printer_sim_process.h"

namespace trel {
namespace {

using std::chrono::milliseconds;
using testing::Gathered;

// Command 92, sequence 3, argument 0, payload 01 02 03: checksum (3 + 92 + 1 + 2 + 3) mod 254.
const std::vector<std::uint8_t> kFrame = {0xFE, 0x04, 0x03, 0x5C, 0x00, 0x01,
                                          0x02, 0x03, 0x65, 0xFF, 0xFF};
// FE, the frame's checksum, its sequence, R2 R3 R4 (0 for data frames), padding.
const std::vector<std::uint8_t> kAnswer = {0xFE, 0x65, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00};

std::chrono::microseconds ProcessCpuTime() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec;
  const auto micros = usage.ru_utime.tv_usec + usage.ru_stime.tv_usec;
  return std::chrono::seconds(seconds) + std::chrono::microseconds(micros);
}

class LinkEndToEndTest : public ::testing::Test {
 protected:
  void OpenSim(const std::vector<std::string>& options) {
    sim_ = std::make_unique<testing::PrinterSimProcess>(options);
    ASSERT_TRUE(sim_->started());
    session_.SerialSetDataCallback(bursts_.Callback());
    ASSERT_EQ(session_.SerialStart(&window_), 1);
    session_.SerialSetLine(0, 115200);
    ASSERT_EQ(session_.SerialOpen(sim_->portPath()), 1) << session_.lastOpenError();
  }
  std::vector<std::uint8_t> SendAndReceiveOne() {
    EXPECT_EQ(session_.SerialWrite(kFrame.data(), kFrame.size()), 1);
    const auto bursts = bursts_.WaitForCount(1);
    EXPECT_EQ(bursts.size(), 1u);
    return bursts.empty() ? std::vector<std::uint8_t>{} : Gathered(bursts[0]);
  }

  std::unique_ptr<testing::PrinterSimProcess> sim_;
  testing::RecordingWindow window_;
  testing::BurstCollector bursts_;
  SerialSession session_;
};

TEST_F(LinkEndToEndTest, FrameIsAnsweredAsOneBurst) {
  OpenSim({});
  EXPECT_EQ(SendAndReceiveOne(), kAnswer);
  EXPECT_EQ(session_.SerialClose(), 1);
  EXPECT_TRUE(window_.WaitFor(WM_LINK_ENDED));
}

TEST_F(LinkEndToEndTest, AnswerInTwoPiecesIsStillOneBurst) {
  OpenSim({"--split"});
  EXPECT_EQ(SendAndReceiveOne(), kAnswer);
}

TEST_F(LinkEndToEndTest, ShortAnswerArrivesAfterTheQuietSecond) {
  OpenSim({"--short-acks"});
  const auto started = std::chrono::steady_clock::now();
  const std::vector<std::uint8_t> shortAnswer(kAnswer.begin(), kAnswer.begin() + 6);
  EXPECT_EQ(SendAndReceiveOne(), shortAnswer);
  const auto waited = std::chrono::steady_clock::now() - started;
  std::printf("short answer after %lld ms\n",
              static_cast<long long>(std::chrono::duration_cast<milliseconds>(waited).count()));
}

TEST_F(LinkEndToEndTest, MissingPortFailsWithItsCause) {
  ASSERT_EQ(session_.SerialStart(&window_), 1);
  EXPECT_EQ(session_.SerialOpen("/dev/trel-no-such-port"), 0);
  EXPECT_FALSE(session_.lastOpenError().empty());
  EXPECT_EQ(testing::RecordingWindow::Count(window_.items(), WM_LINK_ENDED), 0);
}

TEST_F(LinkEndToEndTest, HangUpEndsTheLinkWithoutSpinning) {
  // The answer that comes with the hang-up may be lost with the line, so it ends the second frame.
  OpenSim({"--hang-up", "2"});
  EXPECT_EQ(SendAndReceiveOne(), kAnswer);
  EXPECT_EQ(session_.SerialWrite(kFrame.data(), kFrame.size()), 1);
  EXPECT_EQ(sim_->waitForExit(), 0);
  const auto cpuBefore = ProcessCpuTime();
  const milliseconds watched(500);
  std::this_thread::sleep_for(watched);
  // A thread spinning on the dead line would use the whole window.
  EXPECT_LT(ProcessCpuTime() - cpuBefore, watched / 4);
  EXPECT_EQ(session_.SerialWrite(kFrame.data(), kFrame.size()), 0);
  EXPECT_TRUE(window_.WaitFor(WM_LINK_ENDED));
  EXPECT_EQ(session_.SerialClose(), 1);
}

TEST_F(LinkEndToEndTest, WriteThatCannotCompleteEndsTheLink) {
  // The printer sits on the first frame for four seconds and reads nothing meanwhile, so a large
  // write fills the line and runs into the two-second write limit.
  OpenSim({"--delay", "4000"});
  ASSERT_EQ(session_.SerialWrite(kFrame.data(), kFrame.size()), 1);
  const std::vector<std::uint8_t> flood(1 << 20, 0x00);
  EXPECT_EQ(session_.SerialWrite(flood.data(), flood.size()), 0);
  EXPECT_TRUE(window_.WaitFor(WM_LINK_ENDED));
  EXPECT_EQ(session_.SerialClose(), 1);
}

TEST_F(LinkEndToEndTest, ShutdownEndsEveryThreadMidRead) {
  OpenSim({});
  EXPECT_EQ(session_.SerialShutdown(), 1);
  EXPECT_EQ(session_.SerialWrite(kFrame.data(), kFrame.size()), 0);
}

}  // namespace
}  // namespace trel
