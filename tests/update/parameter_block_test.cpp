#include "update/parameter_block.h"

#include <gtest/gtest.h>

#include "platform/private_profile.h"
#include "support/temp_dir.h"
#include "tables/text_encoding.h"
#include "update/param_file.h"

namespace trel {
namespace {

using testing::ParamSectionText;
using Bytes = std::vector<std::uint8_t>;

Bytes Pack(const std::u16string& command, int dataMode) {
  TextEncoding encoding;
  return PackItemValue(command, dataMode, encoding);
}

PackedParameters PackFile(const std::string& text) {
  testing::TempDir dir;
  TextEncoding encoding;
  return PackParameterItems(ProfileDocument::Load(dir.write("params.ini", text)), encoding);
}

TEST(PackItemValue, HexTakesDigitPairsAndAnOddLastDigitAlone) {
  EXPECT_EQ(Pack(u"1B40", 0), (Bytes{0x1B, 0x40}));
  EXPECT_EQ(Pack(u"ABC", 0), (Bytes{0xAB, 0x0C}));
  EXPECT_EQ(Pack(u"ff", 0), (Bytes{0xFF}));
  EXPECT_EQ(Pack(u"zG1", 0), (Bytes{0x00, 0x01}));  // non-digits count as 0
}

TEST(PackItemValue, AsciiUnicodeAndUtf8Modes) {
  EXPECT_EQ(Pack(u"A\u00e9\u20ac", 1), (Bytes{0x41, 0xE9, 0xAC}));
  EXPECT_EQ(Pack(u"A\u20ac", 2), (Bytes{0x00, 0x41, 0x20, 0xAC}));
  EXPECT_EQ(Pack(u"A\\aB\u20ac", 3), (Bytes{0x41, 0x20, 0x42, 0xE2, 0x82, 0xAC}));
  EXPECT_EQ(Pack(u"\\s", 3), (Bytes{0xC3, 0xBF}));
}

TEST(PackItemValue, EmptyCommandIsOneSpaceInEveryModeAndUnknownModesGiveNothing) {
  for (int mode : {0, 1, 2, 3, 7}) {
    EXPECT_EQ(Pack(u"", mode), Bytes{0x20});
  }
  EXPECT_TRUE(Pack(u"41", 7).empty());
}

TEST(PackParameterItems, TwoAsciiItemsGiveValuesAndSeparators) {
  const PackedParameters packed = PackFile(ParamSectionText(1, "A") + ParamSectionText(2, "B"));
  EXPECT_EQ(packed.itemCount, 2);
  EXPECT_EQ(packed.block, (Bytes{0x41, 0x0A, 0x0D, 0x0A, 0x0D, 0x42, 0x0A, 0x0D, 0x0A, 0x0D}));
}

TEST(PackParameterItems, ValidityRules) {
  const PackedParameters packed = PackFile(
      ParamSectionText(1, "A", "0") + ParamSectionText(2, "B", "x") + ParamSectionText(3, "C", "") +
      ParamSectionText(4, "D", "10") + ParamSectionText(5, "", "1"));
  EXPECT_EQ(packed.itemCount, 5);
  EXPECT_EQ(packed.block,
            (Bytes{0x0A, 0x0D, 0x0A, 0x0D, 0x42, 0x0A, 0x0D, 0x0A, 0x0D, 0x43, 0x0A, 0x0D,
                   0x0A, 0x0D, 0x44, 0x0A, 0x0D, 0x0A, 0x0D, 0x20, 0x0A, 0x0D, 0x0A, 0x0D}));
}

TEST(PackParameterItems, ListEndsAtAMissingSectionOrIsHideAboveOne) {
  EXPECT_EQ(PackFile(ParamSectionText(1, "A", "1", 1, "")).itemCount, 0);
  EXPECT_EQ(PackFile(ParamSectionText(1, "A") + ParamSectionText(2, "B", "1", 1, "1") +
                     ParamSectionText(3, "C") + ParamSectionText(5, "E"))
                .itemCount,
            3);
  EXPECT_EQ(PackFile(ParamSectionText(1, "A") + ParamSectionText(2, "B", "1", 1, "2") +
                     ParamSectionText(3, "C"))
                .itemCount,
            1);
}

TEST(PackParameterItems, ListsTooLargeForTheBlockAreMarkedAndNeverOverrunIt) {
  std::string text;
  for (int number = 1; number <= 160; ++number) {
    text += ParamSectionText(number, std::string(1023, 'x'), "1", 2);
  }
  const PackedParameters packed = PackFile(text);
  EXPECT_TRUE(packed.tooLarge);
  EXPECT_LE(packed.block.size(), kParameterBlockCapacity);
}

}  // namespace
}  // namespace trel
