#include <gtest/gtest.h>

#include <string>

#include "platform/memory_param_table.h"
#include "platform/private_profile.h"
#include "support/temp_dir.h"
#include "tables/param_item.h"
#include "tables/param_table_io.h"

namespace trel {
namespace {

using testing::ReadBytes;

// Sections 1..3 and 5 shown; section 4 missing; section 6 hidden but sent.
const std::string kList =
    "[1]\r\nName=Cut\r\nCommand=1B69\r\nIsValid=1\r\nDataMode=0\r\nIsHide=0\r\n"
    "[2]\r\nNameEn=Header\r\nName=Kopf\r\nCommand=Hi\r\nIsValid=;\r\nDataMode=1\r\nIsHide=0\r\n"
    "[3]\r\nName=Beep\r\nCommand=07\r\nIsValid=10\r\nDataMode=7\r\nIsHide=0\r\n"
    "[5]\r\nName=Late\r\nCommand=x\r\nIsValid=0\r\nDataMode=3\r\nIsHide=0\r\n"
    "[6]\r\nName=Secret\r\nIsHide=1\r\n";

class ParamTableTest : public ::testing::Test {
 protected:
  std::filesystem::path Load(const std::string& bytes) {
    const auto file = dir.write("TrelDefault.ini", bytes);
    LoadParamTable(table, file);
    return file;
  }
  std::u16string Cell(int row, int column) const { return table.cellText(row, column); }

  testing::TempDir dir;
  MemoryParamTable table;
};

TEST_F(ParamTableTest, LoadShowsUnhiddenSectionsAcrossGaps) {
  Load(kList);
  ASSERT_EQ(table.rowCount(), 4);
  EXPECT_EQ(Cell(3, ParamTable::kIdColumn), u"5");
  EXPECT_EQ(Cell(0, ParamTable::kDataModeColumn), u"HEX");
  EXPECT_EQ(Cell(1, ParamTable::kNameColumn), u"Header");  // NameEn preferred
  EXPECT_EQ(Cell(1, ParamTable::kSplitSymbolColumn), u";");
  EXPECT_TRUE(table.isChecked(1));
  EXPECT_EQ(Cell(2, ParamTable::kDataModeColumn), u"7");
  EXPECT_EQ(Cell(2, ParamTable::kSplitSymbolColumn), u"");
  EXPECT_TRUE(table.isChecked(2));  // "10" is the flag 10
  EXPECT_FALSE(table.isChecked(3));
}

TEST_F(ParamTableTest, HiddenSectionIsSentAndAMissingOneEndsTheSendList) {
  const ProfileDocument document = ProfileDocument::Load(Load(kList));
  EXPECT_FALSE(ReadParamSection(document, 6).shownInTable());
  EXPECT_FALSE(ReadParamSection(document, 6).endsSendList());
  EXPECT_TRUE(ReadParamSection(document, 4).endsSendList());
  EXPECT_TRUE(ReadParamSection(document, 3).valid());
}

TEST_F(ParamTableTest, MalformedAndHugeFilesLoadWithoutHarm) {
  std::string utf16 = "\xFF\xFE";  // UTF-16LE cut in the middle of a character
  for (char c : std::string("[1]\r\nCommand=ok\r\nIsHide=0\r\n")) {
    utf16 += std::string{c, '\0'};
  }
  Load(utf16 + "x");
  ASSERT_EQ(table.rowCount(), 1);
  EXPECT_EQ(Cell(0, ParamTable::kCommandColumn), u"ok");

  std::string junk;
  for (int i = 0; i < 4096; ++i) {
    junk.push_back(static_cast<char>((i * 131 + 7) % 256));
  }
  Load(junk);
  EXPECT_EQ(table.rowCount(), 0);

  std::string big = "[1]\r\nIsHide=0\r\n";
  while (big.size() < 10 * 1024 * 1024) {
    big += "; " + std::string(1000, 'z') + "\r\n";
  }
  Load(big + "[160]\r\nCommand=last\r\nIsHide=0\r\n");
  ASSERT_EQ(table.rowCount(), 2);
  EXPECT_EQ(Cell(1, ParamTable::kCommandColumn), u"last");
}

TEST_F(ParamTableTest, StoreWritesCommandAndIsValidOnly) {
  const auto file = Load(kList);
  table.setCellText(0, ParamTable::kCommandColumn, u"1B40");
  table.setChecked(0, false);
  ASSERT_TRUE(StoreParamTable(table, file));
  const ProfileDocument stored = ProfileDocument::Load(file);
  EXPECT_EQ(stored.get(u"1", u"Command", u""), u"1B40");
  EXPECT_EQ(stored.get(u"1", u"IsValid", u""), u"0");
  EXPECT_EQ(stored.get(u"1", u"Name", u""), u"Cut");
  EXPECT_EQ(stored.get(u"2", u"IsValid", u""), u";");
  EXPECT_EQ(stored.get(u"3", u"IsValid", u""), u"1");

  MemoryParamTable fresh;  // a missing section gets just the two keys
  const int row = fresh.appendRow();
  fresh.setCellText(row, ParamTable::kIdColumn, u"007");
  ASSERT_TRUE(StoreParamTable(fresh, dir / "new.ini"));
  EXPECT_EQ(ReadBytes(dir / "new.ini"), "[7]\r\nCommand=\r\nIsValid=0\r\n");
}

TEST_F(ParamTableTest, FailedStores) {
  MemoryParamTable empty;
  EXPECT_FALSE(StoreParamTable(empty, dir / "never.ini"));
  EXPECT_FALSE(std::filesystem::exists(dir / "never.ini"));

  // A refused value (a line break) keeps the rows before it and fails.
  const auto file = Load(kList);
  table.setCellText(0, ParamTable::kCommandColumn, u"AA");
  table.setCellText(1, ParamTable::kCommandColumn, u"two\r\nlines");
  table.setCellText(2, ParamTable::kCommandColumn, u"CC");
  EXPECT_FALSE(StoreParamTable(table, file));
  const ProfileDocument stored = ProfileDocument::Load(file);
  EXPECT_EQ(stored.get(u"1", u"Command", u""), u"AA");
  EXPECT_EQ(stored.get(u"2", u"Command", u""), u"Hi");
  EXPECT_EQ(stored.get(u"3", u"Command", u""), u"07");

  const std::string before = ReadBytes(file);
  testing::MakeReadOnly(file);
  table.setCellText(1, ParamTable::kCommandColumn, u"BB");
  EXPECT_FALSE(StoreParamTable(table, file));
  EXPECT_EQ(ReadBytes(file), before);

  std::filesystem::create_directory(dir / "folder.ini");  // exists, cannot be read
  EXPECT_FALSE(StoreParamTable(table, dir / "folder.ini"));
}

}  // namespace
}  // namespace trel
