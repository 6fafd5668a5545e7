#include "platform/tool_folder.h"

#include <gtest/gtest.h>

#include "platform/tool_folder_test_sources.h"

namespace trel {
namespace {

namespace fs = std::filesystem;

using ToolFolderTest = testing::ToolFolderSourcesTest;

TEST_F(ToolFolderTest, ToolDirVariableWinsAndIsCreated) {
  ToolFolderSources chosen = sources();
  chosen.toolDir = PathToUtf8(dir_ / "tool");
  EXPECT_EQ(ChooseToolFolder(chosen), dir_ / "tool");
  EXPECT_TRUE(fs::is_directory(dir_ / "tool"));
}

TEST_F(ToolFolderTest, WritableExecutableFolderIsAPortableInstall) {
  fs::create_directory(dir_ / "exe");
  EXPECT_EQ(ChooseToolFolder(sources()), dir_ / "exe");
}

TEST(PathPartsTest, FolderPartIsWhatStandsBeforeTheLastSlash) {
  EXPECT_EQ(FolderPart(u"/data/keys/main.xml"), u"/data/keys");
  EXPECT_EQ(FolderPart(u"keys/"), u"keys");
  EXPECT_EQ(FolderPart(u"main.xml"), u"");
  EXPECT_EQ(FolderPart(u"/main.xml"), u"");  // never the file-system root
  EXPECT_EQ(FolderPart(u"/"), u"");
  EXPECT_EQ(FolderPart(u""), u"");
  EXPECT_EQ(JoinFolderAndName(u"", u"extra.xml"), u"extra.xml");
}

}  // namespace
}  // namespace trel
