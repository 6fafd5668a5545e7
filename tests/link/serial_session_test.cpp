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

const std::vector<std::uint8_t> kFrame = {0xFE, 0x05, 0x01, 0x06, 0x00, 0x0C, 0xFF, 0xFF};
const std::vector<std::uint8_t> kAnswer = {0xFE, 0x0C, 0x01, 0x02, 0x02, 0x00, 0x00, 0x00};

class SerialSessionTest : public ::testing::Test {
 protected:
  explicit SerialSessionTest(milliseconds writeLimit = milliseconds(100))
      : session_({.openPort = opener_,
                  .enumeratePorts = [this] { return Enumerate(); },
                  .timings = {.rescanPause = milliseconds(20),
                              .deliveryQuiet = milliseconds(30),
                              .writeLimit = writeLimit,
                              .openLimit = milliseconds(3000)}}) {
    session_.SerialSetDataCallback(bursts_.Callback());
  }

  testing::FakeSerialPort& StartAndOpen() {
    EXPECT_EQ(session_.SerialStart(&window_), 1);
    EXPECT_EQ(session_.SerialOpen("ttyusb0"), 1) << session_.lastOpenError();
    return *opener_.latest->load();
  }
  // The port the session opened last, once it has one.
  testing::FakeSerialPort* WaitForLatestPort() {
    while (opener_.latest->load() == nullptr) {
      std::this_thread::yield();
    }
    return opener_.latest->load();
  }
  std::vector<SerialPortInfo> Enumerate() {
    scans_.Add(0);
    return {{.deviceName = "ttyUSB0",
             .devicePath = "/dev/ttyUSB0",
             .hardwareKey = "vid_067b&pid_2303",
             .displayName = "Prolific USB-to-Serial Comm Port (ttyUSB0)",
             .serialNumber = ""}};
  }
  int WaitForScans(std::size_t count) {
    return static_cast<int>(scans_.WaitForCount(count).size());
  }

  testing::FakePortOpener opener_;
  testing::RecordingWindow window_;
  testing::BurstCollector bursts_;
  testing::WaitableLog<int> scans_;
  SerialSession session_;
};

TEST_F(SerialSessionTest, CallsWithoutAnOpenPortFailWithoutHarm) {
  EXPECT_EQ(session_.SerialOpen("ttyusb0"), 0);  // not started
  ASSERT_EQ(session_.SerialStart(&window_), 1);
  EXPECT_EQ(session_.SerialStart(&window_), 1);
  EXPECT_EQ(session_.SerialWrite(kFrame.data(), kFrame.size()), 0);
  EXPECT_EQ(session_.SerialOpen("missing"), 0);
  EXPECT_EQ(session_.lastOpenError(), "no such port: missing");
}

TEST_F(SerialSessionTest, ScanReportsEachAdapterOnceWhileNoPortIsOpen) {
  ASSERT_EQ(session_.SerialStart(&window_), 1);
  WaitForScans(3);
  ASSERT_TRUE(window_.WaitFor(WM_PORT_FOUND));
  const auto posted = window_.items();
  EXPECT_EQ(testing::RecordingWindow::Count(posted, WM_PORT_FOUND), 1);
  const testing::PostedMessage found = posted[0];
  EXPECT_EQ(UnpackPortName(found.wParam, found.lParam), "ttyusb0");
}

TEST_F(SerialSessionTest, EachOpenConfiguresTheLineAndAnswersArriveAsOneBurst) {
  testing::FakeSerialPort* port = &StartAndOpen();
  EXPECT_EQ(port->line().baudRate, 115200u);
  EXPECT_EQ(port->line().stopBitsCode, 1);  // one and a half until set
  session_.SerialClose();
  session_.SerialSetLine(3, 38400);
  port = &StartAndOpen();
  EXPECT_EQ(port->line().baudRate, 38400u);
  EXPECT_EQ(port->line().stopBitsCode, 0);  // codes above two mean one stop bit
  ASSERT_EQ(session_.SerialWrite(kFrame.data(), kFrame.size()), 1);
  EXPECT_EQ(port->WaitForWritten(kFrame.size()), kFrame);
  port->Feed(kAnswer);
  const auto bursts = bursts_.WaitForCount(1);
  ASSERT_EQ(bursts.size(), 1u);
  EXPECT_EQ(testing::Gathered(bursts[0]), kAnswer);
}

TEST_F(SerialSessionTest, StalledWriteEndsTheLinkAndScanningWaitsForClose) {
  StartAndOpen().StallWrites();
  EXPECT_EQ(session_.SerialWrite(kFrame.data(), kFrame.size()), 0);
  ASSERT_TRUE(window_.WaitFor(WM_LINK_ENDED));
  const int scansWhileOpen = static_cast<int>(scans_.items().size());
  // Ten rescan pauses: a scan would have come long since if the port counted as closed.
  std::this_thread::sleep_for(milliseconds(200));
  EXPECT_EQ(static_cast<int>(scans_.items().size()), scansWhileOpen);
  EXPECT_EQ(session_.SerialWrite(kFrame.data(), kFrame.size()), 0);
  session_.SerialClose();
  EXPECT_GT(WaitForScans(scansWhileOpen + 1u), scansWhileOpen);
}

TEST_F(SerialSessionTest, OpenAfterALinkEndedWithoutCloseStillWorks) {
  StartAndOpen().StallWrites();
  EXPECT_EQ(session_.SerialWrite(kFrame.data(), kFrame.size()), 0);
  testing::FakeSerialPort& second = StartAndOpen();
  EXPECT_EQ(session_.SerialWrite(kFrame.data(), kFrame.size()), 1);
  EXPECT_EQ(second.WaitForWritten(kFrame.size()), kFrame);
}

TEST_F(SerialSessionTest, CloseWakesAnOpenWaitingForTheLinkAtOnce) {
  *opener_.holdLine = true;  // the link never comes up: the open would wait out its 3 s
  ASSERT_EQ(session_.SerialStart(&window_), 1);
  std::future<int> open =
      std::async(std::launch::async, [this] { return session_.SerialOpen("ttyusb0"); });
  ASSERT_TRUE(WaitForLatestPort()->WaitForHeldLine());
  const auto closing = std::chrono::steady_clock::now();
  session_.SerialClose();
  ASSERT_EQ(open.wait_for(milliseconds(1000)), std::future_status::ready);
  EXPECT_EQ(open.get(), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - closing, milliseconds(1000));
  EXPECT_EQ(session_.lastOpenError(), "ttyusb0: closed while it was opening");
}

class SerialSessionLongWriteTest : public SerialSessionTest {
 protected:
  SerialSessionLongWriteTest() : SerialSessionTest(milliseconds(3600000)) {}
};

TEST_F(SerialSessionLongWriteTest, ShutdownEndsAWriteInProgressAsFailed) {
  testing::FakeSerialPort& port = StartAndOpen();
  port.StallWrites();
  auto write = std::async(std::launch::async,
                          [&] { return session_.SerialWrite(kFrame.data(), kFrame.size()); });
  ASSERT_TRUE(port.WaitForStalledWrite());
  EXPECT_EQ(session_.SerialShutdown(), 1);
  EXPECT_EQ(write.get(), 0);
}

}  // namespace
}  // namespace trel
