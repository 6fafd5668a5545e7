#include "platform/utf_convert.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace trel {
namespace {

constexpr char16_t kBad = 0xFFFD;

struct DecodeCase {
  const char* name;
  std::string bytes;
  std::u16string expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const DecodeCase& decodeCase, std::ostream* out) {
  *out << decodeCase.name;
}

class Utf8DecodeTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(Utf8DecodeTest, ReplacesAsTheWindowsConverterDoes) {
  EXPECT_EQ(Utf8ToUtf16(GetParam().bytes), GetParam().expected);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    ReplacementRules, Utf8DecodeTest,
    ::testing::Values(DecodeCase{"NulKept", "a\0b"s, u"a\0b"s},
                      DecodeCase{"LoneContinuations", "\x80\xBF", {kBad, kBad}},
                      DecodeCase{"C0WithContinuation", "\xC0\xAF", {kBad, kBad}},
                      DecodeCase{"C1Alone", "\xC1z", {kBad, u'z'}},
                      DecodeCase{
                          "F5WithContinuations", "\xF5\x80\x80\x80", {kBad, kBad, kBad, kBad}},
                      DecodeCase{"FF", "\xFF", {kBad}},
                      DecodeCase{"TruncatedBeforeAscii",
                                 "\xE2\x82"
                                 "A",
                                 {kBad, u'A'}},
                      DecodeCase{"TruncatedAtEnd", "\xF0\x9F\x98", {kBad}},
                      DecodeCase{"TruncatedBeforeLead", "\xE2\xC3\xA9", {kBad, 0xE9}},
                      DecodeCase{"OverlongThreeBytes", "\xE0\x80\x80", {kBad, kBad}},
                      DecodeCase{"OverlongE09F", "\xE0\x9F\xBF", {kBad, kBad}},
                      DecodeCase{"OverlongFourBytes", "\xF0\x80\x80\x80", {kBad, kBad, kBad}},
                      DecodeCase{"OverlongF08F", "\xF0\x8F\xBF\xBF", {kBad, kBad, kBad}},
                      DecodeCase{"EncodedSurrogate", "\xED\xA0\x80", {kBad, kBad}},
                      DecodeCase{"AboveU10FFFF", "\xF4\x90\x80\x80", {kBad, kBad, kBad}},
                      DecodeCase{"SmallestThreeByte", "\xE0\xA0\x80", {0x0800}},
                      DecodeCase{"LastBeforeSurrogates", "\xED\x9F\xBF", {0xD7FF}},
                      DecodeCase{"SmallestFourByte", "\xF0\x90\x80\x80", {0xD800, 0xDC00}},
                      DecodeCase{"LargestCodePoint", "\xF4\x8F\xBF\xBF", {0xDBFF, 0xDFFF}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Utf16ToUtf8Test, PairsBecomeFourBytesAndLoneSurrogatesReplacement) {
  EXPECT_EQ(Utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xD83D, u'x'}), "\xEF\xBF\xBDx");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xDE00, 0xD83D}), "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(Utf8Length(std::u16string{0xD83D}), 3u);
}

TEST(Utf16ToUtf8Test, ValidTextRoundTripsAndLengthMatches) {
  const std::u16string text =
      u"A\u007F\u0080\u07FF\u0800\uD7FF\uE000\uFFFF\U00010000\U0010FFFF"s + u"\0z"s;
  const std::string bytes = Utf16ToUtf8(text);
  EXPECT_EQ(Utf8Length(text), bytes.size());
  EXPECT_EQ(bytes.size(), 1u + 1 + 2 + 2 + 3 + 3 + 3 + 3 + 4 + 4 + 1 + 1);
  EXPECT_EQ(Utf8ToUtf16(bytes), text);
}

}  // namespace
}  // namespace trel
