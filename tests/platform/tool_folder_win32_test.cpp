// The tool folder as Windows gives its sources: %APPDATA%, the profile, the module's folder.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/tool_folder.h"
#include "platform/tool_folder_test_sources.h"

namespace trel {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for one test and puts the old value back.
class EnvironmentVariable {
 public:
  EnvironmentVariable(const wchar_t* name, const wchar_t* value) : name_(name) {
    wchar_t old[4096];
    const DWORD length = ::GetEnvironmentVariableW(name, old, 4096);
    if (length > 0 && length < 4096) {
      old_ = std::wstring(old, length);
    }
    ::SetEnvironmentVariableW(name, value);
  }
  ~EnvironmentVariable() { ::SetEnvironmentVariableW(name_, old_ ? old_->c_str() : nullptr); }
  EnvironmentVariable(const EnvironmentVariable&) = delete;
  EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

 private:
  const wchar_t* name_;
  std::optional<std::wstring> old_;
};

using ToolFolderWin32Test = testing::ToolFolderSourcesTest;

TEST_F(ToolFolderWin32Test, TheUserFolderIsInTheApplicationDataFolder) {
  const EnvironmentVariable appData(L"APPDATA", (dir_ / "Roaming").c_str());
  const EnvironmentVariable profile(L"USERPROFILE", dir_.path().c_str());
  const ToolFolderSources current = CurrentToolFolderSources();
  EXPECT_EQ(current.configHome, PathToUtf8(dir_ / "Roaming"));
  EXPECT_EQ(current.home, PathToUtf8(dir_.path()));
  EXPECT_TRUE(fs::exists(current.executableFolder / "platform_tests.exe"));

  ToolFolderSources elsewhere = current;
  elsewhere.executableFolder = dir_ / "missing";
  EXPECT_EQ(ChooseToolFolder(elsewhere), dir_ / "Roaming" / "trel-update");
  EXPECT_TRUE(fs::is_directory(dir_ / "Roaming" / "trel-update"));
}

TEST_F(ToolFolderWin32Test, WithoutAppDataTheRoamingFolderOfTheProfileIsTaken) {
  const EnvironmentVariable appData(L"APPDATA", nullptr);
  const EnvironmentVariable profile(L"USERPROFILE", dir_.path().c_str());
  EXPECT_EQ(CurrentToolFolderSources().configHome, PathToUtf8(dir_ / "AppData" / "Roaming"));
}

TEST_F(ToolFolderWin32Test, FilePathsFollowTheEnvironmentAlsoBeyondAscii) {
  const fs::path folder = dir_.path() / L"Gr\u00FC\u00DFe";
  const EnvironmentVariable toolDir(L"TREL_TOOL_DIR", folder.c_str());
  EXPECT_EQ(SettingsFilePath(), folder / "TrelTool.ini");
  EXPECT_EQ(WorkingCopyPath(), folder / "TrelDefault.ini");
  EXPECT_TRUE(fs::is_directory(folder));
}

TEST(PathPartsWin32Test, BothSlashesSeparateAndANameJoinsWithABackslash) {
  EXPECT_EQ(FolderPart(u"C:\\data\\keys\\main.xml"), u"C:\\data\\keys");
  EXPECT_EQ(FolderPart(u"C:/data\\keys/main.xml"), u"C:/data\\keys");
  EXPECT_EQ(FolderPart(u"C:\\main.xml"), u"C:");
  EXPECT_EQ(FolderPart(u"\\main.xml"), u"");  // never the root of the drive
  EXPECT_EQ(JoinFolderAndName(u"C:\\data\\Keys", u"Extra.XML"), u"C:\\data\\Keys\\Extra.XML");
}

}  // namespace
}  // namespace trel
