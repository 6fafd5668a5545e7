#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"
#include "tables/keyword_ini.h"

namespace trel {
namespace {

class KeywordIniTest : public ::testing::Test {
 protected:
  std::optional<KeywordIniFile> Read(const std::string& text) {
    return ReadKeywordIni(dir.write("keys.ini", text), encoding);
  }
  std::array<std::int32_t, 2> Counts(const std::string& list1, const std::string& list2) {
    return Read("[General]\nFirstKeyNum=1\n[KeyTrans1]\nKeyTrans=" + list1 +
                "\n[KeyTrans2]\nKeyTrans=" + list2 + "\n")
        ->transCounts;
  }

  testing::TempDir dir;
  TextEncoding encoding;
};

TEST_F(KeywordIniTest, OnlyTheLowFourBitsOfTheKeyCountCount) {
  EXPECT_EQ(Read("[General]\nFirstKeyNum=17\n")->firstCount, 1);
  EXPECT_EQ(Read("[General]\nFirstKeyNum=24\n")->firstCount, 8);
  EXPECT_FALSE(Read("[General]\nFirstKeyNum=16\n"));
  EXPECT_FALSE(Read("[General]\nFirstKeyNum=9\n"));
  EXPECT_FALSE(ReadKeywordIni(dir / "absent.ini", encoding));
}

TEST_F(KeywordIniTest, TranslationCountsAreCutToTheBlock) {
  EXPECT_EQ(Counts("7", "14"), (std::array<std::int32_t, 2>{7, 14}));
  EXPECT_EQ(Counts("-3", "0"), (std::array<std::int32_t, 2>{0, 0}));
  EXPECT_EQ(Counts("50", "50"), (std::array<std::int32_t, 2>{11, 20}));
  EXPECT_EQ(Counts("5", "99999999999"), (std::array<std::int32_t, 2>{5, 21}));
}

TEST_F(KeywordIniTest, EntriesAreReadWithinBoundsAndLeaveTheBlock) {
  const auto file =
      Read("[General]\nFirstKeyNum=1\n[First]\nFirstCont1=\\r" + std::string(60, 'x') +
           "\nFirstParse1=1\nSndKeyNum1=2147483647\n" + "[KeyTrans1]\nKeyTrans=3\n1=1\x02" +
           "Delivery\n2=\n3=1234567\x02" + std::string(45, 'y') + "\n");
  ASSERT_TRUE(file);
  EXPECT_EQ(file->firstKeys[0].content.size(), 47u);
  EXPECT_EQ(file->firstKeys[0].secondKeys.size(), 10u);  // a huge count reads one group at most
  const auto& list1 = file->translations[0];
  ASSERT_EQ(list1.size(), 2u);  // the empty entry is skipped
  EXPECT_EQ(list1[0].text, "Delivery");
  EXPECT_EQ(list1[1].source, "12345");
  EXPECT_EQ(list1[1].text, std::string(18, 'y'));  // cut two characters at a time

  KeywordTables tables;
  ApplyKeywordIni(*file, tables);
  EXPECT_EQ(tables.transCount1, 3);
  EXPECT_EQ(tables.block, DefaultPrintFormatBlock());
}

TEST_F(KeywordIniTest, MalformedFilesAreRefusedWithoutHarm) {
  std::string junk;
  for (int i = 0; i < 65536; ++i) {
    junk.push_back(static_cast<char>((i * 7919 + 13) % 256));
  }
  EXPECT_FALSE(Read(junk));
  EXPECT_FALSE(Read(std::string("\xFF\xFE[\0G\0", 7)));  // UTF-16LE cut short
}

}  // namespace
}  // namespace trel
