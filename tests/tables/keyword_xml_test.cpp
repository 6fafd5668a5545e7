#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "table_test_helpers.h"
#include "tables/keyword_loader.h"
#include "tables/keyword_xml.h"

namespace trel {
namespace {

using testing::AsString;
using testing::RecordingMessageBoxes;
using testing::TempDir;

struct Element {
  std::string id;
  std::vector<std::string> values;
  std::string format = "vortell";
};

std::string KeywordXml(const std::string& base, const std::vector<Element>& elements,
                       const std::string& root = "VORTELL") {
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<" + root +
                    ">\n<Elements base=\"" + base + "\">\n";
  for (const Element& element : elements) {
    xml += "<Element id=\"" + element.id + "\" format=\"" + element.format + "\"><Data>";
    for (const std::string& value : element.values) {
      xml += "<Int8 value=\"" + value + "\"/>";
    }
    xml += "</Data></Element>\n";
  }
  return xml + "</Elements>\n</" + root + ">\n";
}

// A first-level key: key, content, second count, option1, option2, bit 1, bit 0, group link.
Element First(int row, const std::string& key, int count = 0, int link = 0) {
  return {std::to_string(row),
          {key, "c" + key, std::to_string(count), "0", "0", "0", "0", std::to_string(link)}};
}

class XmlKeywordTest : public ::testing::Test {
 protected:
  bool Load(const std::string& xml, const std::string& name = "keys.xml") {
    return reader.Load(tables, dir.write(name, xml), encoding, boxes);
  }

  TempDir dir;
  TextEncoding encoding;
  RecordingMessageBoxes boxes;
  KeywordTables tables;
  XmlKeywordReader reader;
};

TEST_F(XmlKeywordTest, BaseTwentyFourGivesEightRows) {
  std::vector<Element> elements;
  for (int row = 0; row < 8; ++row) {
    elements.push_back(First(row, "K" + std::to_string(row)));
  }
  ASSERT_TRUE(Load(KeywordXml("24", elements)));
  EXPECT_EQ(tables.firstCount, 8);
  EXPECT_EQ(AsString(FieldText(tables.block.firstKeys[7].key)), "K7");
  EXPECT_EQ(AsString(FieldText(tables.block.firstKeys[7].content)), "cK7");
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(XmlKeywordTest, BaseWithoutTagIsRefusedAfterRebuildingTheBlock) {
  EXPECT_FALSE(Load(KeywordXml("8", {First(0, "A")})));
  EXPECT_EQ(tables.firstCount, 8);
  EXPECT_EQ(AsString(FieldText(tables.block.firstKeys[0].key)), "A");
  EXPECT_EQ(FieldText(tables.block.firstKeys[1].key).size(), 0u);  // defaults are gone

  // A number with bits above 7 never leaves more than the key count behind.
  EXPECT_FALSE(Load(KeywordXml("264", {First(0, "A")})));
  EXPECT_EQ(tables.firstCount, 8);
}

TEST_F(XmlKeywordTest, MoreThanEightKeysKeepsThePreviousModel) {
  ASSERT_TRUE(Load(KeywordXml("17", {First(0, "A")})));
  EXPECT_FALSE(Load(KeywordXml("25", {First(0, "B")})));
  EXPECT_EQ(tables.firstCount, 1);
  EXPECT_EQ(AsString(FieldText(tables.block.firstKeys[0].key)), "A");
  EXPECT_EQ(reader.records().elements.at(0).values.at(0), u"B");  // parsed, not copied
}

TEST_F(XmlKeywordTest, BaseSixteenZeroesTheBlockAndKeepsTranslationCounts) {
  tables.transCount1 = 4;
  tables.transCount2 = 5;
  ASSERT_TRUE(Load(KeywordXml("16", {First(0, "A"), {"144", {"1", "One"}}})));
  EXPECT_EQ(tables.firstCount, 0);
  EXPECT_EQ(tables.block, PrintFormatBlock{});
  EXPECT_EQ(tables.transCount1, 4);
  EXPECT_EQ(tables.transCount2, 5);
}

TEST_F(XmlKeywordTest, SecondLevelIdsByGroupAndEntry) {
  ASSERT_TRUE(Load(KeywordXml("17", {First(0, "#", 2, 2),
                                     {"33", {";", "second"}},
                                     {"32", {",", "first"}},
                                     {"26", {"x", "ignored"}},
                                     {"12", {"y", "ignored"}},
                                     {"-1", {"z", "ignored"}}})));
  const FirstKeyRow& opener = tables.block.firstKeys[0];
  EXPECT_EQ(opener.flags, 0x20);
  EXPECT_EQ(tables.block.firstKeys[1].hasSecond, 1);
  EXPECT_EQ(tables.block.firstKeys[1].secondCount, 2);
  EXPECT_EQ(AsString(FieldText(tables.block.secondKeys[1][0].content)), "first");
  EXPECT_EQ(AsString(FieldText(tables.block.secondKeys[1][1].content)), "second");
  for (int k = 0; k < 10; ++k) {
    EXPECT_TRUE(reader.model().secondSlot(1, k).key.empty());  // id 26 is group 1, entry 10
  }
}

TEST_F(XmlKeywordTest, FlagsOptionsAndOutOfRangeLinks) {
  ASSERT_TRUE(Load(KeywordXml("18", {{"0", {"k", "c", "3", "7", "300", "1", "1", "9"}},
                                     {"1", {"k", "c", "12", "", "", "", "", "3"}}})));
  const FirstKeyRow& row = tables.block.firstKeys[0];
  EXPECT_EQ(row.option1, 7);
  EXPECT_EQ(row.option2, 300 & 0xFF);
  EXPECT_EQ(row.flags, 0x93);  // group 9 links nothing but stays in the byte
  EXPECT_EQ(tables.block.firstKeys[2].secondCount, 10);  // twelve keys cut to a group's ten
  for (int g = 0; g < 8; ++g) {
    EXPECT_EQ(tables.block.firstKeys[g].hasSecond, g == 2 ? 1 : 0);
  }
}

TEST_F(XmlKeywordTest, LinksAreFollowedTwoLevelsDeep) {
  ASSERT_TRUE(Load(KeywordXml("17", {First(0, "a", 1, 1),
                                     {"16", {"b", "", "1", "", "", "", "", "2"}},
                                     {"32", {"c", "", "1", "", "", "", "", "3"}},
                                     {"48", {"d", ""}}})));
  EXPECT_EQ(AsString(FieldText(tables.block.secondKeys[0][0].key)), "b");
  EXPECT_EQ(AsString(FieldText(tables.block.secondKeys[1][0].key)), "c");
  EXPECT_EQ(tables.block.firstKeys[1].hasSecond, 1);
  EXPECT_EQ(FieldText(tables.block.secondKeys[2][0].key).size(), 0u);
  EXPECT_EQ(tables.block.firstKeys[2].hasSecond, 0);
}

TEST_F(XmlKeywordTest, TextsAreEncodedAndCutToTheirFields) {
  ASSERT_TRUE(Load(KeywordXml("17", {First(0, "ABCDEFGHIJKL", 1, 1),
                                     {"16", {"\\r;;", "\xE2\x82\xAC"}},
                                     {"144", {"1234567", "\\aabcdefghijklmnopqrstuvwxyz"}}})));
  EXPECT_EQ(AsString(FieldText(tables.block.firstKeys[0].key)), "ABCDEFGH");
  EXPECT_EQ(AsString(FieldText(tables.block.secondKeys[0][0].key)), "\r;");
  EXPECT_EQ(AsString(FieldText(tables.block.secondKeys[0][0].content)), "\xE2\x82\xAC");
  EXPECT_EQ(AsString(FieldText(tables.block.transKeys1[0])), "12345");
  EXPECT_EQ(AsString(FieldText(tables.block.transTexts[0])), " abcdefghijklmnopqrs");
}

TEST_F(XmlKeywordTest, DuplicateSourcesBothTakeTheLastTranslation) {
  ASSERT_TRUE(Load(KeywordXml("17", {First(0, "#"),
                                     {"144", {"1", "Delivery"}},
                                     {"160", {"9", "Lamb"}},
                                     {"145", {"1", "Collection"}},
                                     {"146", {"2", ""}}})));
  EXPECT_EQ(tables.transCount1, 2);
  EXPECT_EQ(tables.transCount2, 1);
  EXPECT_EQ(AsString(FieldText(tables.block.transKeys1[1])), "1");
  EXPECT_EQ(AsString(FieldText(tables.block.transTexts[0])), "Collection");
  EXPECT_EQ(AsString(FieldText(tables.block.transTexts[1])), "Collection");
  EXPECT_EQ(AsString(FieldText(tables.block.transKeys2[0])), "9");
  EXPECT_EQ(AsString(FieldText(tables.block.transTexts[2])), "Lamb");
}

TEST_F(XmlKeywordTest, FullTranslationListsIgnoreFurtherEntries) {
  std::vector<Element> elements = {First(0, "#")};
  for (int i = 0; i < 11; ++i) {
    elements.push_back({"144", {"s" + std::to_string(i), "t" + std::to_string(i)}});
  }
  elements.push_back({"144", {"s0", "late"}});  // finds list 1 full: may not change row 0
  for (int i = 0; i < 22; ++i) {
    elements.push_back({"176", {"u" + std::to_string(i), "v"}});
  }
  ASSERT_TRUE(Load(KeywordXml("17", elements)));
  EXPECT_EQ(tables.transCount1, 11);
  EXPECT_EQ(tables.transCount2, 20);  // 31 text rows, 11 taken by list 1
  EXPECT_EQ(AsString(FieldText(tables.block.transTexts[0])), "t0");
  EXPECT_EQ(AsString(FieldText(tables.block.transKeys2[19])), "u19");
  EXPECT_EQ(FieldText(tables.block.transKeys2[20]).size(), 0u);
  EXPECT_EQ(AsString(FieldText(tables.block.transTexts[30])), "v");
}

TEST_F(XmlKeywordTest, UnknownFormatEndsTheWalk) {
  ASSERT_TRUE(
      Load(KeywordXml("18", {First(0, "A"), {"1", {"B"}, "VORTELL"}, First(1, "C")}, "FREE")));
  EXPECT_EQ(reader.records().elements.size(), 1u);
  EXPECT_EQ(FieldText(tables.block.firstKeys[1].key).size(), 0u);
}

TEST_F(XmlKeywordTest, LowerCaseRootIsNotFound) {
  EXPECT_FALSE(Load(KeywordXml("17", {First(0, "A")}, "vortell")));
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(tables.block, DefaultPrintFormatBlock());
  EXPECT_EQ(tables.firstCount, 0);
}

TEST_F(XmlKeywordTest, UnreadableOrMalformedFileShowsTheMessageAndChangesNothing) {
  ASSERT_TRUE(Load(KeywordXml("17", {First(0, "A")})));
  const KeywordTables before = tables;
  const auto broken = dir.write("broken.xml", "<VORTELL><Elements base=\"17\"></VORTELL>");
  EXPECT_FALSE(reader.Load(tables, broken, encoding, boxes));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].first, "Can't open:" + broken.string());
  EXPECT_EQ(boxes.shown[0].second, "Error");
  EXPECT_FALSE(reader.Load(tables, dir / "absent.xml", encoding, boxes));
  EXPECT_FALSE(reader.Load(tables, dir.path(), encoding, boxes));
  EXPECT_EQ(boxes.shown.size(), 3u);
  EXPECT_EQ(tables.block, before.block);
  EXPECT_EQ(tables.firstCount, before.firstCount);
}

TEST_F(XmlKeywordTest, TenMegabyteFile) {
  std::vector<Element> elements = {First(0, "A")};
  const std::string filler(200, 'f');
  while (elements.size() * 260 < 10 * 1024 * 1024) {
    elements.push_back({"300", {filler}});
  }
  ASSERT_TRUE(Load(KeywordXml("17", elements)));
  EXPECT_EQ(AsString(FieldText(tables.block.firstKeys[0].key)), "A");
}

class KeywordLoaderTest : public ::testing::Test {
 protected:
  TempDir dir;
  TextEncoding encoding;
  RecordingMessageBoxes boxes;
  KeywordTables tables;
  KeywordLoader loader{encoding, boxes};
};

TEST_F(KeywordLoaderTest, ChoosesTheFormByTheEndingInAnyCase) {
  const auto upper = dir.write("Keys.XML", KeywordXml("17", {First(0, "X")}));
  ASSERT_TRUE(loader.Load(tables, upper));  // opened by the path as given, never lower-cased
  EXPECT_EQ(AsString(FieldText(tables.block.firstKeys[0].key)), "X");
  EXPECT_TRUE(boxes.shown.empty());

  const auto ini = dir.write("keys.xml.ini", "[General]\nFirstKeyNum=3\n");
  ASSERT_TRUE(loader.Load(tables, ini));
  EXPECT_EQ(tables.firstCount, 3);
  EXPECT_EQ(AsString(FieldText(tables.block.firstKeys[0].key)), "X");  // INI keeps the block
  EXPECT_TRUE(loader.lastIniFile().has_value());
}

TEST(HasXmlEnding, NeedsSomethingBeforeTheEnding) {
  EXPECT_TRUE(HasXmlEnding(std::string_view("a.xml")));
  EXPECT_TRUE(HasXmlEnding(u"dir/K.XmL"));
  EXPECT_FALSE(HasXmlEnding(std::string_view(".xml")));
  EXPECT_FALSE(HasXmlEnding(u"a.xml.ini"));
  EXPECT_FALSE(HasXmlEnding(std::string_view("a.xm")));
}

}  // namespace
}  // namespace trel
