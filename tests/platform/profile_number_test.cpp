#include <gtest/gtest.h>

#include <limits>

#include "platform/private_profile.h"

namespace trel {
namespace {

TEST(ProfileNumberTest, ReadsTheDecimalPrefixAfterBlanks) {
  EXPECT_EQ(ProfileNumber(u"42"), 42);
  EXPECT_EQ(ProfileNumber(u" \t-17"), -17);
  EXPECT_EQ(ProfileNumber(u"+5"), 5);
  EXPECT_EQ(ProfileNumber(u"12abc"), 12);
  EXPECT_EQ(ProfileNumber(u"0x1F"), 0);
}

TEST(ProfileNumberTest, NoDigitsGiveZero) {
  EXPECT_EQ(ProfileNumber(u""), 0);
  EXPECT_EQ(ProfileNumber(u"abc"), 0);
  EXPECT_EQ(ProfileNumber(u"-"), 0);
  EXPECT_EQ(ProfileNumber(u"- 5"), 0);
}

TEST(ProfileNumberTest, ClampsToThe32BitRange) {
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(ProfileNumber(u"2147483647"), kMax);
  EXPECT_EQ(ProfileNumber(u"2147483648"), kMax);
  EXPECT_EQ(ProfileNumber(u"-2147483648"), kMin);
  EXPECT_EQ(ProfileNumber(u"-2147483649"), kMin);
  EXPECT_EQ(ProfileNumber(u"99999999999999999999999999"), kMax);
}

}  // namespace
}  // namespace trel
