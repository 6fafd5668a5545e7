#include <gtest/gtest.h>

#include <vector>

#include "link/device_object.h"
#include "link/device_write_thread.h"
#include "link/session_state.h"

namespace trel {
namespace {

class RecordingHost : public DeviceHost {
 public:
  void StoreReceived(const std::uint8_t* bytes, std::size_t count) override {
    stored.insert(stored.end(), bytes, bytes + count);
    ++storeCalls;
  }
  int WriteKeepingLink(const std::uint8_t*, std::size_t) override { return ++keepingWrites, 1; }
  int WriteEndingLink(const std::uint8_t*, std::size_t) override { return ++endingWrites, 1; }

  std::vector<std::uint8_t> stored;
  int storeCalls = 0;
  int keepingWrites = 0;
  int endingWrites = 0;
};

class DeviceSelectionTest : public ::testing::Test {
 protected:
  DeviceSelectionTest() {
    state.messageThreadReady = true;
    state.reading = true;
  }

  bool Post(unsigned message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) {
    return thread.PreTranslateMessage({message, wParam, lParam});
  }
  void LinkUpAndConfigured() {
    Post(kLinkUpMessage);
    state.linkState = kLinkConfigured;
  }
  CDeviceObject* current() const { return state.currentDevice.load(); }
  // Whether bytes from the printer reach the session's ring through the current device.
  bool PrinterIsHeard() {
    const int before = host.storeCalls;
    return current() != nullptr && current()->Receive(kBytes, 3) == 1 && host.storeCalls > before;
  }

  static constexpr std::uint8_t kBytes[] = {1, 2, 3};

  RecordingHost host;
  CDeviceObject_NULL idle{host};
  CDeviceObject_01_00_01_00 serial{host};
  SessionState state{idle, serial};
  CDeviceWriteThread thread{state};
};

TEST_F(DeviceSelectionTest, APrinterOnTheLinkIsAnsweredAfterADeselectItIsNot) {
  LinkUpAndConfigured();
  EXPECT_FALSE(PrinterIsHeard());
  Post(kTypeRecordMessage, kSerialTypeRecordWParam, kSerialTypeRecordLParam);
  EXPECT_TRUE(PrinterIsHeard());
  EXPECT_EQ(host.stored, (std::vector<std::uint8_t>{1, 2, 3}));
  current()->Write(kBytes, 3);
  EXPECT_EQ(host.endingWrites, 1);  // a write to the printer that fails ends the link

  Post(kLinkDownMessage);
  EXPECT_FALSE(PrinterIsHeard());
  current()->Write(kBytes, 3);
  EXPECT_EQ(host.keepingWrites, 1);
}

TEST_F(DeviceSelectionTest, AnUnknownDeviceIsNotAnsweredAndEndsTheReadLoop) {
  LinkUpAndConfigured();
  Post(kTypeRecordMessage, 1, 0x20000);
  EXPECT_FALSE(PrinterIsHeard());
  EXPECT_FALSE(state.reading.load());
}

TEST_F(DeviceSelectionTest, RecordsThatCannotSelectLeaveThePrinterUnanswered) {
  state.linkState = kLinkConfigured;
  Post(kTypeRecordMessage, kSerialTypeRecordWParam, kSerialTypeRecordLParam);  // no link up
  EXPECT_FALSE(PrinterIsHeard());
  LinkUpAndConfigured();
  Post(kTypeRecordMessage, 0x00010001, kSerialTypeRecordLParam);  // record byte 1 set
  Post(kTypeRecordMessage, 0x00000101, kSerialTypeRecordLParam);  // record byte 2 set
  state.linkState = 5;
  Post(kTypeRecordMessage, kSerialTypeRecordWParam, kSerialTypeRecordLParam);
  EXPECT_FALSE(PrinterIsHeard());
  EXPECT_TRUE(state.reading.load());
}

TEST_F(DeviceSelectionTest, UnknownMessagesAreConsumedFromWmUserOn) {
  EXPECT_TRUE(Post(0x0500));
  EXPECT_FALSE(Post(0x0100));
  LinkUpAndConfigured();
  EXPECT_TRUE(Post(kDeviceFilterMessage));
  EXPECT_TRUE(Post(0x0100));  // the idle device consumes everything while a link is up
  Post(kTypeRecordMessage, kSerialTypeRecordWParam, kSerialTypeRecordLParam);
  EXPECT_TRUE(Post(kDeviceFilterMessage));
  EXPECT_FALSE(Post(0x0100));
}

TEST(OsFlagTest, LegacyNtVersionsClearTheFlag) {
  EXPECT_EQ(OsFlagFor(WindowsVersion{true, 5, 0}), 0);
  EXPECT_EQ(OsFlagFor(WindowsVersion{true, 5, 2}), 0);
  EXPECT_EQ(OsFlagFor(WindowsVersion{true, 6, 0}), 1);
  EXPECT_EQ(OsFlagFor(WindowsVersion{false, 4, 10}), 0);
  EXPECT_EQ(OsFlagFor(std::nullopt), 1);
}

}  // namespace
}  // namespace trel
