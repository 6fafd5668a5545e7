#include "platform/tool_folder.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace trel {
namespace {

namespace fs = std::filesystem;

class ToolFolderTest : public ::testing::Test {
 protected:
  ToolFolderSources sources() const {
    return {std::nullopt, dir_ / "exe", (dir_ / "config").string(), (dir_ / "home").string(), {}};
  }
  void makeReadOnlyExeFolder() const {
    fs::create_directory(dir_ / "exe");
    ::chmod((dir_ / "exe").c_str(), 0555);
  }

  testing::TempDir dir_;
};

TEST_F(ToolFolderTest, ToolDirVariableWinsAndIsCreated) {
  ToolFolderSources chosen = sources();
  chosen.toolDir = (dir_ / "tool").string();
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

TEST_F(ToolFolderTest, ReadOnlyExecutableFolderCountsOnlyWithSettings) {
  fs::create_directory(dir_ / "exe");
  dir_.write("exe/TrelTool.ini", "[COM]\n");
  makeReadOnlyExeFolder();
  EXPECT_EQ(ChooseToolFolder(sources()), dir_ / "exe");
}

TEST_F(ToolFolderTest, OtherwiseTheUserConfigFolderIsCreated) {
  makeReadOnlyExeFolder();
  EXPECT_EQ(ChooseToolFolder(sources()), dir_ / "config" / "trel-update");
  EXPECT_TRUE(fs::is_directory(dir_ / "config" / "trel-update"));

  ToolFolderSources relativeConfig = sources();
  relativeConfig.configHome = "relative";  // ignored: only absolute config folders count
  EXPECT_EQ(ChooseToolFolder(relativeConfig), dir_ / "home" / ".config" / "trel-update");
}

TEST_F(ToolFolderTest, FilePathsFollowTheEnvironment) {
  ::setenv("TREL_TOOL_DIR", dir_.path().c_str(), 1);
  EXPECT_EQ(SettingsFilePath(), dir_ / "TrelTool.ini");
  EXPECT_EQ(WorkingCopyPath(), dir_ / "TrelDefault.ini");
  ::unsetenv("TREL_TOOL_DIR");
}

TEST(PathPartsTest, FolderPartIsWhatStandsBeforeTheLastSlash) {
  EXPECT_EQ(FolderPart(u"/data/keys/main.xml"), u"/data/keys");
  EXPECT_EQ(FolderPart(u"keys/"), u"keys");
  EXPECT_EQ(FolderPart(u"main.xml"), u"");
  EXPECT_EQ(FolderPart(u"/main.xml"), u"");  // never the file-system root
  EXPECT_EQ(FolderPart(u"/"), u"");
  EXPECT_EQ(FolderPart(u""), u"");
  EXPECT_EQ(JoinFolderAndName(u"/data/Keys", u"Extra.XML"), u"/data/Keys/Extra.XML");
  EXPECT_EQ(JoinFolderAndName(u"", u"extra.xml"), u"extra.xml");
}

}  // namespace
}  // namespace trel
