#include "link/serial_session.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "link/burst_collector.h"
#include "link/fake_serial_port.h"
#include "link/recording_window.h"

namespace trel {
namespace {

using std::chrono::milliseconds;
using testing::FakePortControl;
using testing::RecordingWindow;

const std::vector<std::uint8_t> kFrame = {0xFE, 0x05, 0x01, 0x06, 0x00, 0x0C, 0xFF, 0xFF};
const std::vector<std::uint8_t> kAnswer = {0xFE, 0x0C, 0x01, 0x02, 0x02, 0x00, 0x00, 0x00};

class SerialSessionTest : public ::testing::Test {
 protected:
  explicit SerialSessionTest(milliseconds writeLimit = milliseconds(100))
      : session_({.openPort = testing::FakePortOpener(control_),
                  .enumeratePorts = [this] { return Enumerate(); },
                  .timings = {.rescanPause = milliseconds(20),
                              .deliveryQuiet = milliseconds(30),
                              .writeLimit = writeLimit,
                              .openLimit = milliseconds(3000)}}) {
    session_.SerialSetDataCallback(bursts_.Callback());
  }

  void StartAndOpen() {
    ASSERT_EQ(session_.SerialStart(&window_), 1);
    ASSERT_EQ(session_.SerialOpen("ttyusb0"), 1) << session_.lastOpenError();
  }

  std::vector<SerialPortInfo> Enumerate() {
    {
      std::lock_guard lock(scanMutex_);
      ++scans_;
    }
    scanned_.notify_all();
    return {{.deviceName = "ttyUSB0",
             .devicePath = "/dev/ttyUSB0",
             .hardwareKey = "vid_067b&pid_2303",
             .displayName = "Prolific USB-to-Serial Comm Port (ttyUSB0)"}};
  }
  int Scans() {
    std::lock_guard lock(scanMutex_);
    return scans_;
  }
  bool WaitForScans(int count) {
    std::unique_lock lock(scanMutex_);
    return scanned_.wait_for(lock, std::chrono::seconds(5), [&] { return scans_ >= count; });
  }

  std::shared_ptr<FakePortControl> control_ = std::make_shared<FakePortControl>();
  RecordingWindow window_;
  testing::BurstCollector bursts_;
  std::mutex scanMutex_;
  std::condition_variable scanned_;
  int scans_ = 0;
  SerialSession session_;
};

TEST_F(SerialSessionTest, CallsBeforeAnOpenPortFailWithoutHarm) {
  EXPECT_EQ(session_.SerialWrite(kFrame.data(), kFrame.size()), 0);
  EXPECT_EQ(session_.SerialOpen("ttyusb0"), 0);  // not started
  ASSERT_EQ(session_.SerialStart(&window_), 1);
  EXPECT_EQ(session_.SerialStart(&window_), 1);
  EXPECT_EQ(session_.SerialWrite(kFrame.data(), kFrame.size()), 0);
  EXPECT_EQ(session_.SerialOpen("missing"), 0);
  EXPECT_EQ(session_.lastOpenError(), "no such port: missing");
}

TEST_F(SerialSessionTest, ScanReportsEachAdapterOnceWhileNoPortIsOpen) {
  ASSERT_EQ(session_.SerialStart(&window_), 1);
  ASSERT_TRUE(WaitForScans(3));
  ASSERT_TRUE(window_.WaitFor(WM_PORT_FOUND));
  const auto posted = window_.posted();
  EXPECT_EQ(window_.Count(WM_PORT_FOUND), 1);
  EXPECT_EQ(UnpackPortName(posted[0].wParam, posted[0].lParam), "ttyusb0");
}

TEST_F(SerialSessionTest, OpenConfiguresTheLineAndAnswersArriveAsOneBurst) {
  session_.SerialSetLine(3, 38400);
  StartAndOpen();
  EXPECT_EQ(control_->line().baudRate, 38400u);
  EXPECT_EQ(control_->line().stopBitsCode, 0);  // codes above two mean one stop bit
  EXPECT_TRUE(control_->purged());
  ASSERT_EQ(session_.SerialWrite(kFrame.data(), kFrame.size()), 1);
  EXPECT_EQ(control_->WaitForWritten(kFrame.size()), kFrame);
  control_->Feed(kAnswer);
  const auto bursts = bursts_.WaitFor(1);
  ASSERT_EQ(bursts.size(), 1u);
  EXPECT_EQ(testing::Gathered(bursts[0]), kAnswer);
}

TEST_F(SerialSessionTest, DefaultLineIsFastWithOneAndAHalfStopBits) {
  StartAndOpen();
  EXPECT_EQ(control_->line().baudRate, 115200u);
  EXPECT_EQ(control_->line().stopBitsCode, 1);
}

TEST_F(SerialSessionTest, PortCanBeOpenedAgainAfterClose) {
  StartAndOpen();
  EXPECT_EQ(session_.SerialClose(), 1);
  EXPECT_TRUE(control_->closed());
  ASSERT_EQ(session_.SerialOpen("ttyusb0"), 1) << session_.lastOpenError();
  EXPECT_EQ(session_.SerialWrite(kFrame.data(), kFrame.size()), 1);
}

TEST_F(SerialSessionTest, StalledWriteEndsTheLinkAndScanningWaitsForClose) {
  StartAndOpen();
  control_->StallWrites();
  EXPECT_EQ(session_.SerialWrite(kFrame.data(), kFrame.size()), 0);
  ASSERT_TRUE(window_.WaitFor(WM_LINK_ENDED));
  const int scansWhileOpen = Scans();
  // Ten rescan pauses: a scan would have come long since if the port counted as closed.
  std::this_thread::sleep_for(milliseconds(200));
  EXPECT_TRUE(control_->closed());
  EXPECT_EQ(Scans(), scansWhileOpen);
  EXPECT_EQ(session_.SerialWrite(kFrame.data(), kFrame.size()), 0);
  session_.SerialClose();
  EXPECT_TRUE(WaitForScans(scansWhileOpen + 1));
}

TEST_F(SerialSessionTest, HungUpPortIsWaitedOnNotPolled) {
  StartAndOpen();
  control_->HangUp();
  // Each failed wait is followed by a pause of 50 ms; a loop that spun would fail thousands.
  std::this_thread::sleep_for(milliseconds(500));
  EXPECT_LE(control_->failedWaits(), 20);
  EXPECT_EQ(session_.SerialWrite(kFrame.data(), kFrame.size()), 0);
  EXPECT_TRUE(window_.WaitFor(WM_LINK_ENDED));
}

TEST_F(SerialSessionTest, ShutdownEndsEveryThreadMidRead) {
  StartAndOpen();
  EXPECT_EQ(session_.SerialShutdown(), 1);
  EXPECT_TRUE(control_->closed());
  EXPECT_EQ(session_.SerialWrite(kFrame.data(), kFrame.size()), 0);
}

class SerialSessionLongWriteTest : public SerialSessionTest {
 protected:
  SerialSessionLongWriteTest() : SerialSessionTest(milliseconds(3600000)) {}
};

TEST_F(SerialSessionLongWriteTest, ShutdownEndsAWriteInProgressAsFailed) {
  StartAndOpen();
  control_->StallWrites();
  auto write = std::async(std::launch::async,
                          [&] { return session_.SerialWrite(kFrame.data(), kFrame.size()); });
  ASSERT_TRUE(control_->WaitForStalledWrite());
  EXPECT_EQ(session_.SerialShutdown(), 1);
  EXPECT_EQ(write.get(), 0);
}

}  // namespace
}  // namespace trel
