#include "link/delivery_thread.h"

#include <gtest/gtest.h>

#include <numeric>
#include <thread>
#include <vector>

#include "link/burst_collector.h"

namespace trel {
namespace {

using std::chrono::milliseconds;

// The fixture stores received bytes as the session does.
class DeliveryThreadTest : public ::testing::Test, public DeviceHost {
 protected:
  void StoreReceived(const std::uint8_t* bytes, std::size_t count) override {
    ring.Append(bytes, count);
    dataArrived.Set();
  }
  int WriteKeepingLink(const std::uint8_t*, std::size_t) override { return 0; }
  int WriteEndingLink(const std::uint8_t*, std::size_t) override { return 0; }

  void StartWithQuiet(milliseconds quiet) {
    state.currentDevice = &serial;
    state.deviceActive = true;
    delivery = std::make_unique<DeliveryThread>(ring, dataArrived, state, callback, quiet);
    ASSERT_TRUE(delivery->Start());
  }
  void TearDown() override {
    if (delivery) {
      EXPECT_TRUE(delivery->Stop(milliseconds(1000)));
    }
  }
  void RegisterCallback() {
    callback.Set(bursts.Callback());
    dataArrived.Set();
  }
  void Receive(const std::vector<std::uint8_t>& bytes) {
    serial.Receive(bytes.data(), bytes.size());
  }
  ReceiveRing ring;
  ManualResetEvent dataArrived;
  CDeviceObject_NULL idle{*this};
  CDeviceObject_01_00_01_00 serial{*this};
  SessionState state{idle, serial};
  DataCallbackSlot callback;
  std::unique_ptr<DeliveryThread> delivery;
  testing::BurstCollector bursts;
};

const std::vector<std::uint8_t> kAnswer = {0xFE, 0x12, 0x01, 0x00, 0x02, 0x00, 0x00, 0x00};

TEST_F(DeliveryThreadTest, LongAnswerIsHandedOverAtOnceWithOneByteMore) {
  // A quiet time the test could never sit out: the answer must not wait for it.
  StartWithQuiet(milliseconds(3600000));
  RegisterCallback();
  Receive(kAnswer);
  const auto handed = bursts.WaitForCount(1);
  ASSERT_EQ(handed.size(), 1u);
  ASSERT_EQ(handed[0].size(), kAnswer.size() + 1);
  EXPECT_EQ(testing::Gathered(handed[0]), kAnswer);
  EXPECT_EQ(handed[0].back(), 0);
}

TEST_F(DeliveryThreadTest, ShortAnswerIsHandedOverAfterTheQuietTime) {
  StartWithQuiet(milliseconds(30));
  RegisterCallback();
  Receive({0xFE, 0x12, 0x01});
  Receive({0x00, 0x02});
  const auto handed = bursts.WaitForCount(1);
  ASSERT_EQ(handed.size(), 1u);
  EXPECT_EQ(handed[0], (std::vector<std::uint8_t>{0xFE, 0x12, 0x01, 0x00, 0x02, 0x00}));
}

TEST_F(DeliveryThreadTest, BytesWaitInTheRingUntilACallbackIsRegistered) {
  StartWithQuiet(milliseconds(3600000));
  Receive(kAnswer);
  RegisterCallback();
  const auto handed = bursts.WaitForCount(1);
  ASSERT_EQ(handed.size(), 1u);
  EXPECT_EQ(handed[0].size(), kAnswer.size() + 1);
}

TEST_F(DeliveryThreadTest, MoreThanAnAssemblyIsHandedOverInFullAssemblies) {
  StartWithQuiet(milliseconds(3600000));
  RegisterCallback();
  std::vector<std::uint8_t> bytes(2 * DeliveryThread::kFullAssembly + 100);
  std::iota(bytes.begin(), bytes.end(), 0);
  Receive(bytes);
  const auto handed = bursts.WaitForCount(3);
  ASSERT_EQ(handed.size(), 3u);
  EXPECT_EQ(handed[0].size(), DeliveryThread::kAssemblySize);
  EXPECT_EQ(handed[1].size(), DeliveryThread::kAssemblySize);
  std::vector<std::uint8_t> gathered;
  for (const auto& burst : handed) {
    const auto bytes = testing::Gathered(burst);
    gathered.insert(gathered.end(), bytes.begin(), bytes.end());
  }
  EXPECT_EQ(gathered, bytes);
}

TEST_F(DeliveryThreadTest, BytesGatheredWhenTheLinkGoesDownAreNotHandedOver) {
  const milliseconds quiet(300);
  StartWithQuiet(quiet);
  RegisterCallback();
  Receive({0xFE, 0x12, 0x01});
  while (ring.Available() != 0) {
    std::this_thread::yield();
  }
  state.deviceActive = false;
  state.currentDevice = &idle;
  // The short answer would have been handed over after one quiet time; give it several.
  EXPECT_TRUE(bursts.WaitForCount(1, quiet * 4).empty());

  // Selected again, the first answer comes alone: nothing from before is stuck on its front.
  state.currentDevice = &serial;
  state.deviceActive = true;
  Receive(kAnswer);
  const auto handedOver = bursts.WaitForCount(1, quiet * 4);
  ASSERT_EQ(handedOver.size(), 1u);
  EXPECT_EQ(testing::Gathered(handedOver[0]), kAnswer);
}

}  // namespace
}  // namespace trel
