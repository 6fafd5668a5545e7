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

TEST_F(ToolFolderTest, ThePackagesProgramFolderIsNeverThePortableInstall) {
  fs::create_directory(dir_ / "exe");
  dir_.write("exe/TrelTool.ini", "[COM]\n");
  ToolFolderSources installed = sources();
  installed.installedProgramFolder = dir_ / "exe";  // writable, as it is for the superuser
  EXPECT_EQ(ChooseToolFolder(installed), dir_ / "config" / "trel-update");
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
