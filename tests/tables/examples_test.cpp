#include <gtest/gtest.h>

#include <set>

#include "platform/memory_param_table.h"
#include "platform/private_profile.h"
#include "support/temp_dir.h"
#include "table_test_helpers.h"
#include "tables/keyword_loader.h"
#include "tables/param_item.h"
#include "tables/param_table_io.h"
#include "tables/working_copy.h"

// The sample files a new user sends first must load as they are meant to.
namespace trel {
namespace {

using testing::AsString;
using testing::RecordingMessageBoxes;

const std::filesystem::path kExamples = TREL_EXAMPLES_DIR;

TEST(Examples, ParameterListImportsAndSendsEverySection) {
  testing::TempDir dir;
  const auto copy = dir / "TrelDefault.ini";
  ASSERT_TRUE(ConvertToWorkingCopy(kExamples / "params.ini", copy));
  MemoryParamTable table;
  LoadParamTable(table, copy);
  EXPECT_EQ(table.rowCount(), 21);
  ASSERT_TRUE(StoreParamTable(table, copy));

  const ProfileDocument document = ProfileDocument::Load(copy);
  std::set<std::int32_t> modes;
  int sent = 0;
  bool splitSymbol = false;
  for (int n = 1; !ReadParamSection(document, n).endsSendList(); ++n) {
    const ParamSection section = ReadParamSection(document, n);
    modes.insert(section.dataModeNumber());
    splitSymbol = splitSymbol || !section.splitSymbol().empty();
    ++sent;
  }
  EXPECT_EQ(sent, 24);
  EXPECT_EQ(modes, (std::set<std::int32_t>{0, 1, 2, 3}));
  EXPECT_TRUE(splitSymbol);
  EXPECT_EQ(ReadParamSection(document, 7).command, u"Café £ Corner");
}

TEST(Examples, KeywordFilesLoad) {
  TextEncoding encoding;
  RecordingMessageBoxes boxes;
  KeywordLoader loader(encoding, boxes);
  KeywordTables tables;

  ASSERT_TRUE(loader.Load(tables, kExamples / "keywords.xml"));
  EXPECT_EQ(tables.firstCount, 6);
  EXPECT_EQ(tables.transCount1, 7);
  EXPECT_EQ(tables.transCount2, 8);
  EXPECT_EQ(tables.block.firstKeys[2].secondCount, 3);
  EXPECT_EQ(tables.block.firstKeys[4].secondCount, 4);
  EXPECT_EQ(AsString(FieldText(tables.block.transTexts[7])), " Lamb");

  ASSERT_TRUE(loader.Load(tables, kExamples / "keywords-extra1.xml"));
  EXPECT_EQ(tables.firstCount, 3);
  EXPECT_EQ(tables.block.firstKeys[1].secondCount, 2);

  ASSERT_TRUE(loader.Load(tables, kExamples / "keywords-extra2.ini"));
  EXPECT_EQ(tables.firstCount, 3);
  EXPECT_EQ(tables.transCount1, 3);
  EXPECT_EQ(tables.transCount2, 2);
  EXPECT_EQ(loader.lastIniFile()->translations[1][0].text, " Lamb");
  EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
}  // namespace trel
