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

  RecordingHost host;
  CDeviceObject_NULL idle{host};
  CDeviceObject_01_00_01_00 serial{host};
  SessionState state{idle, serial};
  CDeviceWriteThread thread{state};
};

TEST_F(DeviceSelectionTest, LinkRecordSelectsTheSerialDeviceAndLinkDownTheIdleOne) {
  LinkUpAndConfigured();
  EXPECT_EQ(current(), &idle);
  EXPECT_TRUE(Post(kTypeRecordMessage, kSerialTypeRecordWParam, kSerialTypeRecordLParam));
  EXPECT_EQ(current(), &serial);
  EXPECT_EQ(state.deviceTypeCode.load(), 0x00010001u);
  EXPECT_EQ(serial.activeFlag, 1);
  EXPECT_TRUE(state.reading.load());
  EXPECT_TRUE(state.PrinterDeviceActive());

  EXPECT_TRUE(Post(kLinkDownMessage));
  EXPECT_EQ(current(), &idle);
  EXPECT_FALSE(state.deviceActive.load());
  EXPECT_EQ(state.deviceTypeCode.load(), 0u);
}

TEST_F(DeviceSelectionTest, UnknownDeviceTypeLeavesIdleCurrentAndEndsTheReadLoop) {
  LinkUpAndConfigured();
  Post(kTypeRecordMessage, 1, 0x20000);
  EXPECT_EQ(current(), &idle);
  EXPECT_TRUE(state.deviceActive.load());
  EXPECT_EQ(state.deviceTypeCode.load(), 0x00020001u);
  EXPECT_FALSE(state.reading.load());
}

TEST_F(DeviceSelectionTest, RecordsThatCannotSelectChangeNothing) {
  state.linkState = kLinkConfigured;
  Post(kTypeRecordMessage, kSerialTypeRecordWParam, kSerialTypeRecordLParam);  // no link up
  EXPECT_EQ(current(), nullptr);
  LinkUpAndConfigured();
  Post(kTypeRecordMessage, 0x00010001, kSerialTypeRecordLParam);  // record byte 1 set
  Post(kTypeRecordMessage, 0x00000101, kSerialTypeRecordLParam);  // record byte 2 set
  state.linkState = 5;
  Post(kTypeRecordMessage, kSerialTypeRecordWParam, kSerialTypeRecordLParam);
  EXPECT_EQ(current(), &idle);
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

TEST_F(DeviceSelectionTest, ReceiveAndWriteGoWhereTheDeviceSends) {
  const std::uint8_t bytes[] = {1, 2, 3};
  EXPECT_EQ(serial.Receive(bytes, 0), 0);
  EXPECT_EQ(host.storeCalls, 0);
  EXPECT_EQ(idle.Receive(bytes, 3), 0);
  EXPECT_EQ(serial.Receive(bytes, 3), 1);
  EXPECT_EQ(host.stored, (std::vector<std::uint8_t>{1, 2, 3}));
  idle.Write(bytes, 3);
  serial.Write(bytes, 3);
  EXPECT_EQ(host.keepingWrites, 1);
  EXPECT_EQ(host.endingWrites, 1);
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
