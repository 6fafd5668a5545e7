#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "table_test_helpers.h"
#include "tables/keyword_loader.h"

namespace trel {
namespace {

using testing::AsString;

struct Element {
  std::string id;
  std::vector<std::string> values;  // key, content, count, option1, option2, bit 1, bit 0, link
  std::string format = "vortell";
};

std::string KeywordXml(const std::string& base, const std::vector<Element>& elements,
                       const std::string& root = "VORTELL") {
  std::string xml = "<?xml version=\"1.0\"?>\n<" + root + "><Elements base=\"" + base + "\">\n";
  for (const Element& element : elements) {
    xml += "<Element id=\"" + element.id + "\" format=\"" + element.format + "\"><Data>";
    for (const std::string& value : element.values) {
      xml += "<Int8 value=\"" + value + "\"/>";
    }
    xml += "</Data></Element>\n";
  }
  return xml + "</Elements></" + root + ">\n";
}

class KeywordXmlTest : public ::testing::Test {
 protected:
  bool Load(const std::string& xml, const std::string& name = "keys.xml") {
    return loader.Load(tables, dir.write(name, xml));
  }
  std::string Key(int row) const { return AsString(FieldText(tables.block.firstKeys[row].key)); }

  testing::TempDir dir;
  TextEncoding encoding;
  testing::RecordingMessageBoxes boxes;
  KeywordTables tables;
  KeywordLoader loader{encoding, boxes};
};

TEST_F(KeywordXmlTest, BaseDecidesRowsAndAcceptance) {
  std::vector<Element> eight;
  for (int row = 0; row < 8; ++row) {
    eight.push_back({std::to_string(row), {"K" + std::to_string(row)}});
  }
  ASSERT_TRUE(Load(KeywordXml("24", eight)));
  EXPECT_EQ(tables.firstCount, 8);
  EXPECT_EQ(Key(7), "K7");

  // 25: more than eight keys; refused, the block rebuilt from the previous file's model.
  EXPECT_FALSE(Load(KeywordXml("25", {{"0", {"B"}}})));
  EXPECT_EQ(tables.firstCount, 8);
  EXPECT_EQ(Key(0), "K0");

  // 8: no tag in bits 4-7; refused after rebuilding from this file. 264 leaves no stray bits.
  EXPECT_FALSE(Load(KeywordXml("8", {{"0", {"A"}}})));
  EXPECT_EQ(Key(0), "A");
  EXPECT_EQ(Key(1), "");
  EXPECT_FALSE(Load(KeywordXml("264", {{"0", {"A"}}})));
  EXPECT_EQ(tables.firstCount, 8);

  // 16: accepted with no rows; the block is zero and the translation counts stay.
  tables.transCount1 = 4;
  ASSERT_TRUE(Load(KeywordXml("16", {{"0", {"A"}}, {"144", {"1", "One"}}})));
  EXPECT_EQ(tables.firstCount, 0);
  EXPECT_EQ(tables.block, PrintFormatBlock{});
  EXPECT_EQ(tables.transCount1, 4);
}

TEST_F(KeywordXmlTest, IdsLinksFlagsAndCuts) {
  ASSERT_TRUE(Load(KeywordXml("19", {{"0", {"ABCDEFGHIJKL", "", "2", "7", "300", "1", "1", "2"}},
                                     {"1", {"b", "", "12", "", "", "", "", "9"}},
                                     {"2", {"c", "", "12", "", "", "", "", "4"}},
                                     {"33", {"\\r;;", "second"}},
                                     {"32", {",", "first", "1", "", "", "", "", "3"}},
                                     {"48", {"d"}},
                                     {"26", {"x"}},
                                     {"12", {"y"}}})));
  const PrintFormatBlock& block = tables.block;
  EXPECT_EQ(Key(0), "ABCDEFGH");
  EXPECT_EQ(block.firstKeys[0].option1, 7);
  EXPECT_EQ(block.firstKeys[0].option2, 300 & 0xFF);
  EXPECT_EQ(block.firstKeys[0].flags, 0x23);
  EXPECT_EQ(block.firstKeys[1].flags, 0x90);  // group 9 links nothing but stays in the byte
  EXPECT_EQ(block.firstKeys[1].secondCount, 2);
  EXPECT_EQ(AsString(FieldText(block.secondKeys[1][0].content)), "first");
  EXPECT_EQ(AsString(FieldText(block.secondKeys[1][1].key)), "\r;");  // id 33: group 2, entry 1
  EXPECT_EQ(AsString(FieldText(block.secondKeys[2][0].key)), "d");    // linked from group 2
  EXPECT_EQ(block.firstKeys[3].secondCount, 10);                      // twelve cut to ten
  for (int k = 0; k < 10; ++k) {
    EXPECT_TRUE(loader.xml().model().secondSlot(1, k).key != u"x");  // 26: group 1, entry 10
  }
}

TEST_F(KeywordXmlTest, TranslationListsDuplicatesAndCapacity) {
  std::vector<Element> elements = {
      {"0", {"#"}}, {"144", {"1", "Delivery"}}, {"145", {"1", "Collection"}}, {"146", {"2", ""}}};
  for (int i = 0; i < 9; ++i) {
    elements.push_back({"144", {"s" + std::to_string(i), "t"}});
  }
  elements.push_back({"144", {"1", "late"}});  // finds list 1 full: changes nothing
  for (int i = 0; i < 22; ++i) {
    elements.push_back({"176", {"u" + std::to_string(i), "v"}});
  }
  ASSERT_TRUE(Load(KeywordXml("17", elements)));
  EXPECT_EQ(tables.transCount1, 11);
  EXPECT_EQ(tables.transCount2, 20);  // 31 text rows, 11 taken by list 1
  EXPECT_EQ(AsString(FieldText(tables.block.transKeys1[1])), "1");
  EXPECT_EQ(AsString(FieldText(tables.block.transTexts[0])), "Collection");
  EXPECT_EQ(AsString(FieldText(tables.block.transTexts[1])), "Collection");
  EXPECT_EQ(AsString(FieldText(tables.block.transKeys2[19])), "u19");
  EXPECT_EQ(AsString(FieldText(tables.block.transTexts[30])), "v");
}

TEST_F(KeywordXmlTest, RootFormatAndByteOrderMark) {
  EXPECT_FALSE(Load(KeywordXml("17", {{"0", {"A"}}}, "vortell")));
  EXPECT_EQ(tables.block, DefaultPrintFormatBlock());
  ASSERT_TRUE(
      Load("\xEF\xBB\xBF" +
           KeywordXml("18", {{"0", {"A"}, "free"}, {"1", {"B"}, "VORTELL"}, {"1", {"C"}, "free"}},
                      "FREE")));
  EXPECT_EQ(loader.xml().records().elements.size(), 1u);  // the walk ends at "VORTELL"
  EXPECT_EQ(Key(1), "");
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(KeywordXmlTest, UnreadableFilesShowTheMessageAndChangeNothing) {
  ASSERT_TRUE(Load(KeywordXml("17", {{"0", {"A"}}})));
  const KeywordTables before = tables;
  const auto broken = dir.write("broken.xml", "<VORTELL><Elements base=\"17\"></VORTELL>");
  EXPECT_FALSE(loader.Load(tables, broken));
  EXPECT_FALSE(loader.Load(tables, dir / "absent.xml"));
  std::filesystem::create_directory(dir / "folder.xml");
  EXPECT_FALSE(loader.Load(tables, dir / "folder.xml"));
  // Nested far too deep for a keyword file: refused before the recursive parser could overflow.
  std::string deep;
  for (int i = 0; i < 200000; ++i) {
    deep += "<a>";
  }
  EXPECT_FALSE(loader.Load(tables, dir.write("deep.xml", "<VORTELL>" + deep)));
  // The same levels hidden behind markup that holds a quote.
  EXPECT_FALSE(loader.Load(tables, dir.write("hidden.xml", "<VORTELL><!'>" + deep + "'>")));
  ASSERT_EQ(boxes.shown.size(), 5u);
  EXPECT_EQ(boxes.shown[0], std::pair("Can't open:" + broken.string(), std::string("Error")));
  EXPECT_EQ(tables.block, before.block);
  EXPECT_EQ(tables.firstCount, before.firstCount);
}

TEST_F(KeywordXmlTest, TenMegabyteFile) {
  std::vector<Element> elements = {{"0", {"A"}}};
  while (elements.size() * 260 < 10 * 1024 * 1024) {
    elements.push_back({"300", {std::string(200, 'f')}});
  }
  ASSERT_TRUE(Load(KeywordXml("17", elements)));
  EXPECT_EQ(Key(0), "A");
}

TEST_F(KeywordXmlTest, FormChosenByEndingInAnyCaseAndPathKept) {
  ASSERT_TRUE(Load(KeywordXml("17", {{"0", {"X"}}}), "Keys.XML"));  // opened as given
  ASSERT_TRUE(Load("[General]\nFirstKeyNum=3\n", "keys.xml.ini"));
  EXPECT_EQ(tables.firstCount, 3);
  EXPECT_EQ(Key(0), "X");  // the INI form keeps the block
  EXPECT_FALSE(HasXmlEnding(u".xml"));
  EXPECT_TRUE(HasXmlEnding(u"a.xMl"));
}

}  // namespace
}  // namespace trel
