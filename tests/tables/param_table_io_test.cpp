#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "platform/memory_param_table.h"
#include "platform/private_profile.h"
#include "support/temp_dir.h"
#include "tables/param_item.h"
#include "tables/param_table_io.h"

namespace trel {
namespace {

using testing::ReadBytes;
using testing::TempDir;

std::string Section(int number, const std::string& keys) {
  return "[" + std::to_string(number) + "]\r\n" + keys;
}

// Sections 1..3 and 5; section 4 missing.
const std::string kGappedList =
    Section(1, "Name=Cut\r\nCommand=1B69\r\nIsValid=1\r\nDataMode=0\r\nIsHide=0\r\n") +
    Section(2,
            "NameEn=Header\r\nName=Kopf\r\nCommand=Hello\r\nIsValid=;\r\nDataMode=1\r\n"
            "IsHide=0\r\n") +
    Section(3, "Name=Beep\r\nCommand=07\r\nIsValid=10\r\nDataMode=7\r\nIsHide=0\r\n") +
    Section(5, "Name=Late\r\nCommand=x\r\nIsValid=0\r\nDataMode=3\r\nIsHide=0\r\n");

TEST(ParamTableLoad, ShowsEveryUnhiddenSectionAcrossGaps) {
  TempDir dir;
  MemoryParamTable table;
  LoadParamTable(table, dir.write("list.ini", kGappedList));
  ASSERT_EQ(table.rowCount(), 4);
  EXPECT_EQ(table.cellText(3, ParamTable::kIdColumn), u"5");

  EXPECT_EQ(table.cellText(0, ParamTable::kNameColumn), u"Cut");
  EXPECT_EQ(table.cellText(0, ParamTable::kDataModeColumn), u"HEX");
  EXPECT_EQ(table.cellText(0, ParamTable::kCommandColumn), u"1B69");
  EXPECT_TRUE(table.isChecked(0));

  EXPECT_EQ(table.cellText(1, ParamTable::kNameColumn), u"Header");  // NameEn preferred
  EXPECT_EQ(table.cellText(1, ParamTable::kDataModeColumn), u"ASCII");
  EXPECT_EQ(table.cellText(1, ParamTable::kSplitSymbolColumn), u";");
  EXPECT_TRUE(table.isChecked(1));

  EXPECT_EQ(table.cellText(2, ParamTable::kDataModeColumn), u"7");
  EXPECT_EQ(table.cellText(2, ParamTable::kSplitSymbolColumn), u"");
  EXPECT_TRUE(table.isChecked(2));  // "10" is a flag with a non-zero value

  EXPECT_FALSE(table.isChecked(3));
}

TEST(ParamTableLoad, HiddenSectionsStayOutButDoNotEndTheSendList) {
  TempDir dir;
  const auto file = dir.write("list.ini", Section(1, "Command=a\r\nIsHide=0\r\n") +
                                              Section(2, "Command=b\r\nIsHide=1\r\n") +
                                              Section(3, "Command=c\r\nIsHide=0\r\n"));
  MemoryParamTable table;
  LoadParamTable(table, file);
  ASSERT_EQ(table.rowCount(), 2);
  EXPECT_EQ(table.cellText(1, ParamTable::kCommandColumn), u"c");

  const ProfileDocument document = ProfileDocument::Load(file);
  EXPECT_FALSE(ReadParamSection(document, 2).shownInTable());
  EXPECT_FALSE(ReadParamSection(document, 2).endsSendList());
  EXPECT_TRUE(ReadParamSection(document, 4).endsSendList());  // missing: IsHide defaults to 2
}

TEST(ParamSectionRules, FlagOrSplitSymbol) {
  ParamSection section;
  for (const auto& [isValid, flag, valid] : {std::tuple{u"0", true, false},
                                             {u"1", true, true},
                                             {u"10", true, true},
                                             {u"01", true, true},
                                             {u"2", false, true},
                                             {u"", false, true},
                                             {u"a;", false, true}}) {
    section.isValid = isValid;
    EXPECT_EQ(section.validIsFlag(), flag);
    EXPECT_EQ(section.valid(), valid);
    EXPECT_EQ(section.splitSymbol(), flag ? u"" : std::u16string(isValid));
  }
}

TEST(ParamTableLoad, MissingFileEmptiesTheTable) {
  TempDir dir;
  MemoryParamTable table;
  table.appendRow();
  LoadParamTable(table, dir / "absent.ini");
  EXPECT_EQ(table.rowCount(), 0);
}

TEST(ParamTableLoad, MalformedFilesLoadWithoutHarm) {
  TempDir dir;
  MemoryParamTable table;
  // A UTF-16LE file cut in the middle of a character.
  std::string utf16 = "\xFF\xFE";
  for (char c : std::string("[1]\r\nCommand=ok\r\nIsHide=0\r\n")) {
    utf16 += c;
    utf16 += '\0';
  }
  utf16 += 'x';
  LoadParamTable(table, dir.write("odd.ini", utf16));
  ASSERT_EQ(table.rowCount(), 1);
  EXPECT_EQ(table.cellText(0, ParamTable::kCommandColumn), u"ok");

  std::string junk;
  for (int i = 0; i < 4096; ++i) {
    junk.push_back(static_cast<char>((i * 131 + 7) % 256));
  }
  LoadParamTable(table, dir.write("junk.ini", junk));
  EXPECT_EQ(table.rowCount(), 0);
}

TEST(ParamTableLoad, TenMegabyteFile) {
  TempDir dir;
  std::string big = Section(1, "Command=first\r\nIsHide=0\r\n");
  const std::string filler = "; " + std::string(1000, 'z') + "\r\n";
  while (big.size() < 10 * 1024 * 1024) {
    big += filler;
  }
  big += Section(160, "Command=last\r\nIsHide=0\r\n");
  MemoryParamTable table;
  LoadParamTable(table, dir.write("big.ini", big));
  ASSERT_EQ(table.rowCount(), 2);
  EXPECT_EQ(table.cellText(1, ParamTable::kCommandColumn), u"last");
}

TEST(ParamTableStore, WritesCommandAndIsValidOnly) {
  TempDir dir;
  const auto file = dir.write("list.ini", kGappedList);
  MemoryParamTable table;
  LoadParamTable(table, file);
  table.setCellText(0, ParamTable::kCommandColumn, u"1B40");
  table.setChecked(0, false);
  ASSERT_TRUE(StoreParamTable(table, file));

  const ProfileDocument stored = ProfileDocument::Load(file);
  EXPECT_EQ(stored.get(u"1", u"Command", u""), u"1B40");
  EXPECT_EQ(stored.get(u"1", u"IsValid", u""), u"0");
  EXPECT_EQ(stored.get(u"1", u"DataMode", u""), u"0");  // untouched keys stay
  EXPECT_EQ(stored.get(u"2", u"IsValid", u""), u";");   // split symbol written back as it is
  EXPECT_EQ(stored.get(u"3", u"IsValid", u""), u"1");   // "10" becomes the flag "1"
  EXPECT_EQ(stored.get(u"4", u"Command", u"none"), u"none");
}

TEST(ParamTableStore, MissingSectionGetsJustTheTwoKeys) {
  TempDir dir;
  MemoryParamTable table;
  const int row = table.appendRow();
  table.setCellText(row, ParamTable::kIdColumn, u"007");
  table.setCellText(row, ParamTable::kCommandColumn, u"on");
  table.setChecked(row, true);
  const auto file = dir / "new.ini";
  ASSERT_TRUE(StoreParamTable(table, file));
  EXPECT_EQ(ReadBytes(file), "[7]\r\nCommand=on\r\nIsValid=1\r\n");
}

TEST(ParamTableStore, EmptyTableFailsAndWritesNothing) {
  TempDir dir;
  MemoryParamTable table;
  EXPECT_FALSE(StoreParamTable(table, dir / "never.ini"));
  EXPECT_FALSE(std::filesystem::exists(dir / "never.ini"));
}

TEST(ParamTableStore, RefusedValueKeepsEarlierRowsAndFails) {
  TempDir dir;
  const auto file = dir.write("list.ini", kGappedList);
  MemoryParamTable table;
  LoadParamTable(table, file);
  table.setCellText(0, ParamTable::kCommandColumn, u"AA");
  table.setCellText(1, ParamTable::kCommandColumn, u"two\r\nlines");
  table.setCellText(2, ParamTable::kCommandColumn, u"CC");
  EXPECT_FALSE(StoreParamTable(table, file));

  const ProfileDocument stored = ProfileDocument::Load(file);
  EXPECT_EQ(stored.get(u"1", u"Command", u""), u"AA");
  EXPECT_EQ(stored.get(u"2", u"Command", u""), u"Hello");
  EXPECT_EQ(stored.get(u"3", u"Command", u""), u"07");
}

TEST(ParamTableStore, ReadOnlyWorkingCopyFailsUnchanged) {
  TempDir dir;
  const auto file = dir.write("TrelDefault.ini", kGappedList);
  MemoryParamTable table;
  LoadParamTable(table, file);
  table.setCellText(0, ParamTable::kCommandColumn, u"changed");
  ::chmod(file.c_str(), 0444);
  EXPECT_FALSE(StoreParamTable(table, file));
  EXPECT_EQ(ReadBytes(file), kGappedList);
}

TEST(ParamTableStore, UnreadableFileIsNotReplaced) {
  TempDir dir;
  std::filesystem::create_directory(dir / "folder.ini");
  MemoryParamTable table;
  table.appendRow();
  EXPECT_FALSE(StoreParamTable(table, dir / "folder.ini"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.ini"));
}

}  // namespace
}  // namespace trel
