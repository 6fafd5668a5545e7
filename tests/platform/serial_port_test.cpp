#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/serial_device_path_posix.h"
#include "platform/serial_line_posix.h"
#include "platform/serial_port.h"
#include "support/temp_dir.h"

namespace trel {
namespace {

using std::chrono::milliseconds;

// Long enough that only a missed wake-up ever reaches it (the test then hangs and times out).
constexpr auto kNeverReached = std::chrono::hours(1);

// The far end of a pseudo-terminal: the test plays the printer on the master side.
class PtyLine {
 public:
  PtyLine() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) {
      std::array<char, 128> name{};
      if (::ptsname_r(master_, name.data(), name.size()) == 0) {
        portPath_ = name.data();
      }
    }
  }
  ~PtyLine() {
    hangUp();
    if (portSide_ >= 0) {
      ::close(portSide_);
    }
  }

  const std::string& portPath() const { return portPath_; }
  void send(const std::vector<std::uint8_t>& bytes) const {
    ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  // Reads exactly `count` bytes the port wrote.
  std::vector<std::uint8_t> receive(std::size_t count) const {
    std::vector<std::uint8_t> bytes(count);
    std::size_t got = 0;
    while (got < count) {
      const ssize_t n = ::read(master_, bytes.data() + got, count - got);
      if (n <= 0) {
        break;
      }
      got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return bytes;
  }
  termios settings() const {
    termios t{};
    ::tcgetattr(master_, &t);
    return t;
  }
  // Holds the port side open as a printer simulator does.
  void holdPortSide() { portSide_ = ::open(portPath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK); }
  // Whether the line is in exclusive mode, as seen through the held port side.
  bool exclusiveMode() const {
    int exclusive = 0;
    return ::ioctl(portSide_, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
  }
  void hangUp() {
    if (master_ >= 0) {
      ::close(master_);
      master_ = -1;
    }
  }

 private:
  int master_ = -1;
  int portSide_ = -1;
  std::string portPath_;
};

class SerialPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(line_.portPath().empty());
    auto opened = OpenSerialPort(line_.portPath());
    ASSERT_EQ(opened.error, SerialOpenError::kNone) << opened.message;
    port_ = std::move(opened.port);
  }

  // Keeps cancelling until the waiter has returned: a cancel that comes before the wait began
  // would (rightly) not end it.
  template <typename Result>
  Result cancelUntilDone(std::future<Result>& waiter) {
    while (waiter.wait_for(milliseconds(5)) != std::future_status::ready) {
      port_->cancelIo();
    }
    return waiter.get();
  }

  PtyLine line_;
  std::unique_ptr<SerialPort> port_;
};

TEST_F(SerialPortTest, BytesTravelBothWays) {
  const std::vector<std::uint8_t> frame{0xFE, 0x01, 0x03, 0x00, 0x00, 0x03, 0xFF, 0xFF};
  ASSERT_TRUE(port_->write(frame.data(), frame.size(), milliseconds(1000)));
  EXPECT_EQ(line_.receive(frame.size()), frame);

  line_.send({0xFE, 0x03, 0x03, 0x00, 0x0A, 0x0D});
  ASSERT_EQ(port_->waitForInput(kNeverReached), 1);
  std::array<std::uint8_t, 16> buffer{};
  long got = 0;
  while (got < 6) {
    ASSERT_EQ(port_->waitForInput(kNeverReached), 1);
    got += port_->read(buffer.data() + got, buffer.size() - static_cast<std::size_t>(got));
  }
  // 0x0A and 0x0D pass untranslated: the line is raw.
  EXPECT_EQ(std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + 6),
            (std::vector<std::uint8_t>{0xFE, 0x03, 0x03, 0x00, 0x0A, 0x0D}));
  EXPECT_EQ(port_->queuedInput(), 0);
  EXPECT_EQ(port_->read(buffer.data(), buffer.size()), 0) << "nothing queued: no block";
}

TEST_F(SerialPortTest, QueuedInputCountsAndPurgeDiscards) {
  line_.send({1, 2, 3, 4, 5});
  ASSERT_EQ(port_->waitForInput(kNeverReached), 1);
  while (port_->queuedInput() < 5) {
    ASSERT_EQ(port_->waitForInput(kNeverReached), 1);
  }
  EXPECT_EQ(port_->queuedInput(), 5);
  EXPECT_TRUE(port_->purge());
  EXPECT_EQ(port_->queuedInput(), 0);
  EXPECT_EQ(port_->waitForInput(milliseconds(1)), 0);
}

TEST_F(SerialPortTest, LineSettingsAreRawWithTheChosenSpeedAndStopBits) {
  ASSERT_TRUE(port_->setupComm(1024, 1024));
  ASSERT_TRUE(port_->setTimeouts(SerialTimeouts{1000, 500, 5000, 500, 2000}));
  ASSERT_TRUE(port_->setLine({115200, 2}));
  termios t = line_.settings();
  EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B115200));
  EXPECT_NE(t.c_cflag & CSTOPB, 0u);
  EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(t.c_cflag & (PARENB | CRTSCTS), 0u);
  EXPECT_NE(t.c_cflag & CLOCAL, 0u);
  EXPECT_EQ(t.c_iflag & (IXON | IXOFF | ICRNL), 0u);
  EXPECT_EQ(t.c_lflag & (ECHO | ICANON | ISIG), 0u);
  EXPECT_EQ(t.c_oflag & OPOST, 0u);

  ASSERT_TRUE(port_->setLine({9600, 1}));  // one and a half: the nearest POSIX has is two
  t = line_.settings();
  EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B9600));
  EXPECT_NE(t.c_cflag & CSTOPB, 0u);

  ASSERT_TRUE(port_->setLine({38400, 3}));  // codes above 2 mean one stop bit
  t = line_.settings();
  EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B38400));
  EXPECT_EQ(t.c_cflag & CSTOPB, 0u);
}

TEST(SerialBaudRate, UnsupportedRatesFallToTheNearestSupportedOne) {
  EXPECT_EQ(SupportedBaudRate(9600), 9600u);
  EXPECT_EQ(SupportedBaudRate(38400), 38400u);
  EXPECT_EQ(SupportedBaudRate(115200), 115200u);
  EXPECT_EQ(SupportedBaudRate(100000), 115200u);
  EXPECT_EQ(SupportedBaudRate(0), 1200u);
  EXPECT_EQ(SupportedBaudRate(4000000000u), 921600u);
}

TEST_F(SerialPortTest, CancelWakesEveryWaiterAndLaterWaitsWorkAgain) {
  auto first = std::async(std::launch::async, [&] { return port_->waitForInput(kNeverReached); });
  auto second = std::async(std::launch::async, [&] { return port_->waitForInput(kNeverReached); });
  EXPECT_EQ(cancelUntilDone(first), 0);
  EXPECT_EQ(cancelUntilDone(second), 0);

  line_.send({0x42});
  EXPECT_EQ(port_->waitForInput(kNeverReached), 1);
}

TEST_F(SerialPortTest, CancelEndsAWriteThatCannotProceed) {
  // Nobody reads the far end, so the line's buffers fill and the write has to wait for room.
  const std::vector<std::uint8_t> flood(1 << 20, 0x55);
  auto writer = std::async(std::launch::async,
                           [&] { return port_->write(flood.data(), flood.size(), kNeverReached); });
  EXPECT_FALSE(cancelUntilDone(writer));
}

TEST_F(SerialPortTest, WriteGivesUpAtItsLimit) {
  const std::vector<std::uint8_t> flood(1 << 20, 0x55);
  EXPECT_FALSE(port_->write(flood.data(), flood.size(), milliseconds(50)));
}

TEST_F(SerialPortTest, CloseWakesWaitersAndEveryLaterCallFails) {
  auto waiter = std::async(std::launch::async, [&] { return port_->waitForInput(kNeverReached); });
  // The wait may begin before or after close(): either way it must come back -1, never hang.
  port_->close();
  EXPECT_EQ(waiter.get(), -1);

  std::array<std::uint8_t, 4> buffer{};
  EXPECT_EQ(port_->waitForInput(milliseconds(0)), -1);
  EXPECT_EQ(port_->read(buffer.data(), buffer.size()), -1);
  EXPECT_FALSE(port_->write(buffer.data(), buffer.size(), milliseconds(10)));
  EXPECT_EQ(port_->queuedInput(), -1);
  EXPECT_FALSE(port_->purge());
  EXPECT_FALSE(port_->setLine({9600, 0}));
  EXPECT_FALSE(port_->setupComm(1024, 1024));
  port_->close();  // a second close is harmless
}

TEST_F(SerialPortTest, CloseRacingWithBusyUsersIsSafe) {
  std::atomic<bool> stop{false};
  auto user = std::async(std::launch::async, [&] {
    std::array<std::uint8_t, 8> buffer{};
    while (!stop) {
      port_->waitForInput(milliseconds(1));
      port_->read(buffer.data(), buffer.size());
      port_->queuedInput();
    }
  });
  port_->close();
  stop = true;
  user.get();
  EXPECT_EQ(port_->queuedInput(), -1);
}

TEST_F(SerialPortTest, HangUpEndsTheWaitAtOnceWithMinusOne) {
  line_.hangUp();
  // A limit far beyond the test's run: 0 here would mean the hang-up went unnoticed.
  EXPECT_EQ(port_->waitForInput(milliseconds(20000)), -1);
  EXPECT_EQ(port_->waitForInput(milliseconds(20000)), -1) << "and again, without waiting";
}

TEST_F(SerialPortTest, ASecondOpenOfAnOpenPortIsBusy) {
  const auto second = OpenSerialPort(line_.portPath());
  EXPECT_EQ(second.port, nullptr);
  EXPECT_EQ(second.error, SerialOpenError::kBusy);
  EXPECT_NE(second.message.find("in use by another program"), std::string::npos);

  port_->close();
  EXPECT_EQ(OpenSerialPort(line_.portPath()).error, SerialOpenError::kNone) << "free again";
}

TEST(SerialPortRelease, ClosingLeavesTheLineFreeForTheNextJobEvenWhileOthersHoldIt) {
  PtyLine line;
  line.holdPortSide();
  auto first = OpenSerialPort(line.portPath());
  ASSERT_NE(first.port, nullptr) << first.message;
  EXPECT_TRUE(line.exclusiveMode());
  first.port->close();
  EXPECT_FALSE(line.exclusiveMode());
  EXPECT_NE(OpenSerialPort(line.portPath()).port, nullptr);
}

TEST(SerialPortOpen, MissingPortIsNotFound) {
  const auto result = OpenSerialPort("/dev/trel-no-such-port");
  EXPECT_EQ(result.port, nullptr);
  EXPECT_EQ(result.error, SerialOpenError::kNotFound);
  EXPECT_NE(result.message.find("no such port"), std::string::npos);
  EXPECT_EQ(OpenSerialPort("").error, SerialOpenError::kNotFound);
}

TEST(SerialPortOpen, AFileThatIsNoTerminalIsRefused) {
  testing::TempDir dir;
  const auto file = dir.write("not-a-port", "data");
  const auto result = OpenSerialPort(file.string());
  EXPECT_EQ(result.port, nullptr);
  EXPECT_EQ(result.error, SerialOpenError::kOther);
  EXPECT_EQ(testing::ReadBytes(file), "data");
}

TEST(SerialPortOpen, PermissionDeniedPointsAtTheDialoutGroup) {
  if (::geteuid() == 0) {
    GTEST_SKIP() << "an administrator opens any file";
  }
  testing::TempDir dir;
  const auto file = dir.write("locked", "");
  ::chmod(file.c_str(), 0);
  const auto result = OpenSerialPort(file.string());
  EXPECT_EQ(result.error, SerialOpenError::kPermissionDenied);
  EXPECT_NE(result.message.find("sudo usermod -aG dialout $USER"), std::string::npos);
}

TEST(SerialPortName, BareNamesAreFoundInTheDeviceFolderWhateverTheirCase) {
  testing::TempDir dev;
  dev.write("ttyUSB0", "");
  dev.write("ttyACM1", "");
  EXPECT_EQ(SerialDevicePath("ttyusb0", dev.path()), dev / "ttyUSB0");
  EXPECT_EQ(SerialDevicePath("TTYACM1", dev.path()), dev / "ttyACM1");
  EXPECT_EQ(SerialDevicePath("ttyUSB0", dev.path()), dev / "ttyUSB0");
  EXPECT_EQ(SerialDevicePath("ttyusb9", dev.path()), dev / "ttyusb9") << "missing: as given";
  EXPECT_EQ(SerialDevicePath("/dev/pts/7", dev.path()), "/dev/pts/7") << "a path is kept";
}

}  // namespace
}  // namespace trel
