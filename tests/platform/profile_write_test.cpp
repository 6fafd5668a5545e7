#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include <gtest/gtest.h>

#include "platform/private_profile.h"
#include "platform/utf_convert.h"
#include "support/temp_dir.h"

namespace trel {
namespace {

using namespace std::string_literals;
using testing::ReadBytes;

class ProfileWriteTest : public ::testing::Test {
 protected:
  testing::TempDir dir_;
  std::filesystem::path file_ = dir_ / "t.ini";
};

TEST_F(ProfileWriteTest, MissingFileIsCreatedAsUtf8WithCrlf) {
  ASSERT_TRUE(WriteProfileString(file_, u"COM", u"baudRate", u"\u00E9"));
  ASSERT_TRUE(WriteProfileString(file_, u"COM", u"stopbits", u"1"));
  EXPECT_EQ(ReadBytes(file_), "[COM]\r\nbaudRate=\xC3\xA9\r\nstopbits=1\r\n");
}

TEST_F(ProfileWriteTest, UpdatesInPlaceAndKeepsEveryOtherLineByteForByte) {
  dir_.write("t.ini", "; head \xFF\n[a]\n  Key = old \nx=\xC0\n\n[b]\ny=1");
  ASSERT_TRUE(WriteProfileString(file_, u"A", u"KEY", u"new"));
  EXPECT_EQ(ReadBytes(file_), "; head \xFF\r\n[a]\r\nKey=new\r\nx=\xC0\r\n\r\n[b]\r\ny=1\r\n");
}

TEST_F(ProfileWriteTest, NewKeyGoesAfterTheLastKeyAndNewSectionAtTheEnd) {
  dir_.write("t.ini", "[a]\r\nk=1\r\n;note\r\n\r\n[b]\r\n");
  ASSERT_TRUE(WriteProfileString(file_, u"a", u"n", u"2"));
  ASSERT_TRUE(WriteProfileString(file_, u"b", u"m", u"3"));
  ASSERT_TRUE(WriteProfileString(file_, u"c", u"o", u"4"));
  EXPECT_EQ(ReadBytes(file_), "[a]\r\nk=1\r\nn=2\r\n;note\r\n\r\n[b]\r\nm=3\r\n[c]\r\no=4\r\n");
}

TEST_F(ProfileWriteTest, KeepsTheEncodingOfTheFile) {
  dir_.write("t.ini", "\xFF\xFE[\0s\0]\0\r\0\n\0"s);
  ASSERT_TRUE(WriteProfileString(file_, u"s", u"k", u"\u20AC\U0001F600"));
  EXPECT_EQ(ReadBytes(file_), "\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0\xAC\x20\x3D\xD8\x00\xDE\r\0\n\0"s);
  EXPECT_EQ(ReadProfileString(file_, u"s", u"k", u"-"), u"\u20AC\U0001F600");

  dir_.write("t.ini", "\xEF\xBB\xBF[s]\r\n");
  ASSERT_TRUE(WriteProfileString(file_, u"s", u"k", u"v"));
  EXPECT_EQ(ReadBytes(file_), "\xEF\xBB\xBF[s]\r\nk=v\r\n");
}

TEST_F(ProfileWriteTest, ValuesAreStoredAsGivenAndReadBackTrimmedAndUnquoted) {
  ASSERT_TRUE(WriteProfileString(file_, u"s", u"k", u" X "));
  EXPECT_EQ(ReadBytes(file_), "[s]\r\nk= X \r\n");
  EXPECT_EQ(ReadProfileString(file_, u"s", u"k", u"-"), u"X");

  const std::pair<std::u16string, std::u16string> writtenAndRead[] = {
      {u"trail\t", u"trail"},   {u"\"quoted\"", u"quoted"},
      {u"'single'", u"single"}, {u"\"\"", u""},
      {u"\"", u"\""},           {u"a \"b\" c", u"a \"b\" c"},
      {u"\\aX\\a", u"\\aX\\a"}, {u"", u""}};
  for (const auto& [written, read] : writtenAndRead) {
    ASSERT_TRUE(WriteProfileString(file_, u"s", u"k", written));
    EXPECT_EQ(ReadBytes(file_), "[s]\r\nk=" + Utf16ToUtf8(written) + "\r\n");
    EXPECT_EQ(ReadProfileString(file_, u"s", u"k", u"-"), read);
  }
}

TEST_F(ProfileWriteTest, RefusedWritesLeaveTheFileUnchanged) {
  const std::string before = "[s]\r\nk=1\r\n";
  dir_.write("t.ini", before);
  EXPECT_FALSE(WriteProfileString(file_, u"s", u"k", u"two\r\nlines"));
  EXPECT_FALSE(WriteProfileString(file_, u"s", u"k", u"cr\ronly"));
  EXPECT_FALSE(WriteProfileString(file_, u"s", u"a=b", u"1"));
  EXPECT_FALSE(WriteProfileString(file_, u"s", u";c", u"1"));
  EXPECT_FALSE(WriteProfileString(file_, u"s", u"[x]", u"1"));
  EXPECT_FALSE(WriteProfileString(file_, u"s", u" ", u"1"));
  EXPECT_FALSE(WriteProfileString(file_, u"", u"k", u"1"));
  EXPECT_FALSE(WriteProfileString(file_, u"new\nsection", u"k", u"1"));
  EXPECT_EQ(ReadBytes(file_), before);
}

TEST_F(ProfileWriteTest, FailedWritesLeaveTheFileByteIdenticalAndNoLeftovers) {
  const std::string before = "[s]\nk=1\n";
  dir_.write("t.ini", before);
  ::chmod(file_.c_str(), 0444);
  EXPECT_FALSE(WriteProfileString(file_, u"s", u"k", u"2"));
  EXPECT_EQ(ReadBytes(file_), before);

  EXPECT_FALSE(WriteProfileString(dir_ / "missing" / "t.ini", u"s", u"k", u"2"));
  EXPECT_FALSE(WriteProfileString(dir_.path(), u"s", u"k", u"2"));  // a folder, not a file
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 1);
}

// A folder without write permission bits refuses the temporary file, also for root, so these run
// the in-place rewrite whoever runs them.
class ReadOnlyFolderWriteTest : public ProfileWriteTest {
 protected:
  void SetUp() override { dir_.write("t.ini", kBefore); }
  void TearDown() override { ::chmod(dir_.path().c_str(), 0755); }
  void makeFolderReadOnly() { ASSERT_EQ(::chmod(dir_.path().c_str(), 0555), 0); }

  static constexpr std::string_view kBefore = "[s]\nk=1\n";
};

TEST_F(ReadOnlyFolderWriteTest, AWritableFileIsRewrittenInPlaceAndKeepsItsMode) {
  ::chmod(file_.c_str(), 0640);
  struct stat before {};
  ASSERT_EQ(::stat(file_.c_str(), &before), 0);
  makeFolderReadOnly();
  ASSERT_TRUE(WriteProfileString(file_, u"s", u"k", u"2"));
  ASSERT_TRUE(WriteProfileString(file_, u"t", u"new", u"3"));
  EXPECT_EQ(ReadBytes(file_), "[s]\r\nk=2\r\n[t]\r\nnew=3\r\n");
  ASSERT_TRUE(WriteProfileString(file_, u"t", u"new", u""));  // shorter: the rest is cut off
  EXPECT_EQ(ReadBytes(file_), "[s]\r\nk=2\r\n[t]\r\nnew=\r\n");
  struct stat after {};
  ASSERT_EQ(::stat(file_.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_mode & 07777, 0640u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 1);
  // A file that is not there cannot be made in such a folder.
  EXPECT_FALSE(WriteProfileString(dir_ / "new.ini", u"s", u"k", u"1"));
}

TEST_F(ReadOnlyFolderWriteTest, ARewriteCutShortPutsTheOldBytesBack) {
  makeFolderReadOnly();
  // A file size limit stops the longer contents part way, as a full disk would.
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit previousLimit{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previousLimit), 0);
  rlimit limit = previousLimit;
  limit.rlim_cur = kBefore.size() + 4;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
  const bool written = WriteProfileString(file_, u"s", u"k", std::u16string(100, u'x'));
  ::setrlimit(RLIMIT_FSIZE, &previousLimit);
  std::signal(SIGXFSZ, previousHandler);
  EXPECT_FALSE(written);
  EXPECT_EQ(ReadBytes(file_), kBefore);
}

TEST_F(ProfileWriteTest, WhatCannotBeReadAsAFileIsNeitherWaitedOnNorOverwritten) {
  std::filesystem::create_directory(dir_ / "d.ini");
  ASSERT_EQ(::mkfifo((dir_ / "pipe.ini").c_str(), 0644), 0);
  for (const char* name : {"d.ini", "pipe.ini"}) {
    ProfileDocument doc = ProfileDocument::Load(dir_ / name);
    EXPECT_EQ(doc.get(u"s", u"k", u"-"), u"-");
    ASSERT_TRUE(doc.set(u"s", u"k", u"v"));
    EXPECT_FALSE(doc.save(dir_ / name));
    EXPECT_FALSE(WriteProfileString(dir_ / name, u"s", u"k", u"v"));
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "d.ini"));
  EXPECT_TRUE(std::filesystem::is_fifo(dir_ / "pipe.ini"));
}

TEST_F(ProfileWriteTest, SaveKeepsPermissionsAndFollowsLinks) {
  dir_.write("t.ini", "[s]\n");
  ::chmod(file_.c_str(), 0600);
  std::filesystem::create_symlink(file_, dir_ / "link.ini");
  ASSERT_TRUE(WriteProfileString(dir_ / "link.ini", u"s", u"k", u"v"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "link.ini"));
  EXPECT_EQ(ReadBytes(file_), "[s]\r\nk=v\r\n");
  struct stat info {};
  ASSERT_EQ(::stat(file_.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
}

}  // namespace
}  // namespace trel
