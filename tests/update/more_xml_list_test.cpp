#include "update/more_xml_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "update/update_job.h"

namespace trel {
namespace {

TEST(MoreXmlListBuild, FolderOfTheMainFileAndAtMostNineNames) {
  EXPECT_TRUE(BuildMoreXmlList(u"", u"/k/main.xml").names.empty());
  const MoreXmlList noFolder = BuildMoreXmlList(u"a.xml;", u"main.xml");
  EXPECT_EQ(noFolder.folder, u"");
  EXPECT_EQ(noFolder.names, std::vector<std::u16string>{u"a.xml"});
  const MoreXmlList many = BuildMoreXmlList(u"1;2;3;4;5;6;7;8;9;10;11;", u"/k/main.xml");
  ASSERT_EQ(many.names.size(), 9u);
  EXPECT_EQ(many.names.back(), u"9");
}

TEST(MoreXmlListBuild, BecomesTheJobsExtraKeywordFilesWithEmptySlotsKept) {
  UpdateJob job;
  AssignExtraKeywordFiles(job, BuildMoreXmlList(u"one.xml;;two.ini", u"/k/main.xml"));
  EXPECT_EQ(job.extraKeywordFolder, std::filesystem::path("/k"));
  EXPECT_EQ(job.extraKeywordNames, (std::vector<std::filesystem::path>{"one.xml", "", "two.ini"}));
}

}  // namespace
}  // namespace trel
