// The tool folder where folders have permission bits and the environment is set with setenv.
#include <stdlib.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "platform/tool_folder.h"
#include "platform/tool_folder_test_sources.h"

namespace trel {
namespace {

namespace fs = std::filesystem;

class ToolFolderPosixTest : public testing::ToolFolderSourcesTest {
 protected:
  void makeReadOnlyExeFolder() const {
    fs::create_directory(dir_ / "exe");
    ::chmod((dir_ / "exe").c_str(), 0555);
  }
};

TEST_F(ToolFolderPosixTest, ReadOnlyExecutableFolderCountsOnlyWithSettings) {
  fs::create_directory(dir_ / "exe");
  dir_.write("exe/TrelTool.ini", "[COM]\n");
  makeReadOnlyExeFolder();
  EXPECT_EQ(ChooseToolFolder(sources()), dir_ / "exe");
}

TEST_F(ToolFolderPosixTest, OtherwiseTheUserConfigFolderIsCreated) {
  makeReadOnlyExeFolder();
  EXPECT_EQ(ChooseToolFolder(sources()), dir_ / "config" / "trel-update");
  EXPECT_TRUE(fs::is_directory(dir_ / "config" / "trel-update"));

  ToolFolderSources relativeConfig = sources();
  relativeConfig.configHome = "relative";  // ignored: only absolute config folders count
  EXPECT_EQ(ChooseToolFolder(relativeConfig), dir_ / "home" / ".config" / "trel-update");
}

TEST_F(ToolFolderPosixTest, FilePathsFollowTheEnvironment) {
  ::setenv("TREL_TOOL_DIR", dir_.path().c_str(), 1);
  EXPECT_EQ(SettingsFilePath(), dir_ / "TrelTool.ini");
  EXPECT_EQ(WorkingCopyPath(), dir_ / "TrelDefault.ini");
  ::unsetenv("TREL_TOOL_DIR");
}

TEST(PathPartsPosixTest, ANameJoinsItsFolderWithASlash) {
  EXPECT_EQ(JoinFolderAndName(u"/data/Keys", u"Extra.XML"), u"/data/Keys/Extra.XML");
  EXPECT_EQ(FolderPart(u"/data\\keys/main.xml"), u"/data\\keys");  // a backslash is a letter
}

}  // namespace
}  // namespace trel
