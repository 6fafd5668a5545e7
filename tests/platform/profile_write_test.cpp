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

TEST_F(ProfileWriteTest, AValueSetReadsTheSameBeforeAndAfterTheSave) {
  ProfileDocument document = ProfileDocument::Load(file_);
  ASSERT_TRUE(document.set(u"s", u"k", u" \"x y\" "));
  EXPECT_EQ(document.get(u"s", u"k", u"-"), u"x y");
  ASSERT_TRUE(document.save(file_));
  EXPECT_EQ(ReadProfileString(file_, u"s", u"k", u"-"), u"x y");
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
  testing::MakeReadOnly(file_);
  EXPECT_FALSE(WriteProfileString(file_, u"s", u"k", u"2"));
  EXPECT_EQ(ReadBytes(file_), before);

  EXPECT_FALSE(WriteProfileString(dir_ / "missing" / "t.ini", u"s", u"k", u"2"));
  EXPECT_FALSE(WriteProfileString(dir_.path(), u"s", u"k", u"2"));  // a folder, not a file
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 1);
}

}  // namespace
}  // namespace trel
