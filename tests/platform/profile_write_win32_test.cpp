// Profile writes on Windows: the file is replaced by ReplaceFileW, so it keeps what the system
// keeps for a file, and names beyond ASCII are UTF-16 at the system.
#include <windows.h>
// windows.h names its own WriteProfileString (a macro for the A or W function); ours is meant here.
#undef WriteProfileString

#include <gtest/gtest.h>

#include "platform/private_profile.h"
#include "support/temp_dir.h"

namespace trel {
namespace {

using testing::ReadBytes;

TEST(ProfileWriteWin32Test, AReplacedFileKeepsItsAttributes) {
  testing::TempDir dir;
  const auto file = dir.write("t.ini", "[s]\r\nk=1\r\n");
  ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(WriteProfileString(file, u"s", u"k", u"2"));
  EXPECT_EQ(ReadBytes(file), "[s]\r\nk=2\r\n");
  EXPECT_NE(::GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(ProfileWriteWin32Test, ANameWithoutAFolderIsReplacedInTheCurrentFolder) {
  testing::TempDir dir;
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  dir.write("t.ini", "[s]\r\nk=1\r\n");
  const bool written = WriteProfileString("t.ini", u"s", u"k", u"2");
  std::filesystem::current_path(previous);
  EXPECT_TRUE(written);
  EXPECT_EQ(ReadBytes(dir / "t.ini"), "[s]\r\nk=2\r\n");
}

TEST(ProfileWriteWin32Test, NamesBeyondAsciiAreWrittenAndReadBack) {
  testing::TempDir dir;
  const auto folder = dir.path() / L"Gr\u00FC\u00DFe \u65E5\u672C";
  std::filesystem::create_directory(folder);
  const auto file = folder / L"Einstellungen \u00E9t\u00E9.ini";
  ASSERT_TRUE(WriteProfileString(file, u"COM", u"comport", u"com5"));
  ASSERT_TRUE(WriteProfileString(file, u"COM", u"comport", u"com6"));
  EXPECT_EQ(ReadProfileString(file, u"COM", u"comport", u""), u"com6");
  EXPECT_EQ(ReadBytes(file), "[COM]\r\ncomport=com6\r\n");
}

TEST(ProfileWriteWin32Test, ADeviceNamedAsAFileIsNeitherReadNorWritten) {
  const std::filesystem::path device = L"\\\\.\\NUL";
  EXPECT_EQ(ReadProfileString(device, u"s", u"k", u"-"), u"-");
  EXPECT_FALSE(WriteProfileString(device, u"s", u"k", u"v"));
}

}  // namespace
}  // namespace trel
