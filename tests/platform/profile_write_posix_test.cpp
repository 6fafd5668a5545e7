// Profile writes where files and folders have POSIX permission bits, pipes and symbolic links.
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include <gtest/gtest.h>

#include "platform/private_profile.h"
#include "support/temp_dir.h"

namespace trel {
namespace {

using testing::ReadBytes;

class ProfilePosixWriteTest : public ::testing::Test {
 protected:
  testing::TempDir dir_;
  std::filesystem::path file_ = dir_ / "t.ini";
};

// A folder without write permission bits refuses the temporary file, also for root, so these run
// the in-place rewrite whoever runs them.
class ReadOnlyFolderWriteTest : public ProfilePosixWriteTest {
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

TEST_F(ProfilePosixWriteTest, WhatCannotBeReadAsAFileIsNeitherWaitedOnNorOverwritten) {
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

TEST_F(ProfilePosixWriteTest, SaveKeepsPermissionsAndFollowsLinks) {
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
