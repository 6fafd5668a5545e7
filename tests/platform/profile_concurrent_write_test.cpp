#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/private_profile.h"
#include "support/temp_dir.h"

namespace trel {
namespace {

TEST(ProfileConcurrentWriteTest, WritersOnTwoThreadsLoseNoKey) {
  const testing::TempDir dir;
  const auto file = dir / "t.ini";
  constexpr int kKeysPerThread = 40;
  auto writeKeys = [&file](char16_t prefix) {
    for (int i = 0; i < kKeysPerThread; ++i) {
      const std::u16string key = prefix + std::u16string(i + 1, u'k');
      EXPECT_TRUE(WriteProfileString(file, u"s", key, u"1"));
    }
  };
  std::thread first(writeKeys, u'a');
  std::thread second(writeKeys, u'b');
  first.join();
  second.join();
  const ProfileDocument doc = ProfileDocument::Load(file);
  for (int i = 0; i < kKeysPerThread; ++i) {
    EXPECT_EQ(doc.get(u"s", u"a" + std::u16string(i + 1, u'k'), u"-"), u"1");
    EXPECT_EQ(doc.get(u"s", u"b" + std::u16string(i + 1, u'k'), u"-"), u"1");
  }
}

}  // namespace
}  // namespace trel
