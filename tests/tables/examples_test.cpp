#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "platform/memory_param_table.h"
#include "support/temp_dir.h"
#include "table_test_helpers.h"
#include "tables/keyword_loader.h"
#include "tables/param_item.h"
#include "tables/param_table_io.h"
#include "tables/working_copy.h"

// The sample files a new user sends first must load as they are meant to.
namespace trel {
namespace {

const std::filesystem::path kExamples = TREL_EXAMPLES_DIR;

std::vector<int> Counts(const KeywordTables& tables) {
  return {tables.firstCount, tables.transCount1, tables.transCount2};
}

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
  for (; !ReadParamSection(document, sent + 1).endsSendList(); ++sent) {
    modes.insert(ReadParamSection(document, sent + 1).dataModeNumber());
  }
  EXPECT_EQ(sent, 24);
  EXPECT_EQ(modes, (std::set<std::int32_t>{0, 1, 2, 3}));
  EXPECT_EQ(ReadParamSection(document, 8).splitSymbol(), u";");
  EXPECT_EQ(ReadParamSection(document, 7).command, u"Café £ Corner");
}

TEST(Examples, KeywordFilesLoad) {
  TextEncoding encoding;
  testing::RecordingMessageBoxes boxes;
  KeywordLoader loader(encoding, boxes);
  KeywordTables tables;
  ASSERT_TRUE(loader.Load(tables, kExamples / "keywords.xml"));
  EXPECT_EQ(Counts(tables), std::vector<int>({6, 7, 8}));
  EXPECT_EQ(tables.block.firstKeys[4].secondCount, 4);
  EXPECT_EQ(testing::AsString(FieldText(tables.block.transTexts[7])), " Lamb");
  ASSERT_TRUE(loader.Load(tables, kExamples / "keywords-extra1.xml"));
  EXPECT_EQ(tables.firstCount, 3);
  ASSERT_TRUE(loader.Load(tables, kExamples / "keywords-extra2.ini"));
  EXPECT_EQ(Counts(tables), std::vector<int>({3, 3, 2}));
  EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
}  // namespace trel
