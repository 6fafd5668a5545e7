#include <gtest/gtest.h>

#include <random>

#include "platform/private_profile.h"
#include "support/temp_dir.h"

namespace trel {
namespace {

using namespace std::string_literals;

class ProfileReadTest : public ::testing::Test {
 protected:
  ProfileDocument load(std::string_view bytes) {
    return ProfileDocument::Load(dir_.write("t.ini", bytes));
  }

  testing::TempDir dir_;
};

TEST_F(ProfileReadTest, NamesMatchWithoutCaseAndBlanksAreTrimmed) {
  const ProfileDocument doc = load("[ Com ]\r\n  BaudRate =  9600  \r\n");
  EXPECT_EQ(doc.get(u"COM", u"baudrate", u"-"), u"9600");
  EXPECT_EQ(doc.get(u" com ", u" BAUDRATE ", u"-"), u"9600");
}

TEST_F(ProfileReadTest, OnePairOfMatchingOuterQuotesIsStripped) {
  const ProfileDocument doc = load(
      "[s]\nplain=\" a b "
      "\"\nsingle='x'\nnested=\"'x'\"\nmixed=\"x'\nopen=\"x\nempty=\"\"\none=\"\n");
  EXPECT_EQ(doc.get(u"s", u"plain", u"-"), u" a b ");
  EXPECT_EQ(doc.get(u"s", u"single", u"-"), u"x");
  EXPECT_EQ(doc.get(u"s", u"nested", u"-"), u"'x'");
  EXPECT_EQ(doc.get(u"s", u"mixed", u"-"), u"\"x'");
  EXPECT_EQ(doc.get(u"s", u"open", u"-"), u"\"x");
  EXPECT_EQ(doc.get(u"s", u"empty", u"-"), u"");
  EXPECT_EQ(doc.get(u"s", u"one", u"-"), u"\"");
}

TEST_F(ProfileReadTest, CommentsOnlyAtLineStart) {
  const ProfileDocument doc = load("[s]\n;a=1\n   ;b=2\nc=3 ; not a comment\n");
  EXPECT_EQ(doc.get(u"s", u"a", u"-"), u"-");
  EXPECT_EQ(doc.get(u"s", u"b", u"-"), u"-");
  EXPECT_EQ(doc.get(u"s", u"c", u"-"), u"3 ; not a comment");
}

TEST_F(ProfileReadTest, FirstDuplicateWinsAndStrayLinesAreNoKeys) {
  const ProfileDocument doc =
      load("early=0\n[s]\nk=1\nK=2\nnovalue\n=orphan\n[S]\nk=3\nlate=4\n[t]\n");
  EXPECT_EQ(doc.get(u"s", u"k", u"-"), u"1");
  EXPECT_EQ(doc.get(u"s", u"late", u"-"), u"-");  // only the first [s] counts
  EXPECT_EQ(doc.get(u"s", u"novalue", u"-"), u"-");
  EXPECT_EQ(doc.get(u"s", u"", u"-"), u"-");
  EXPECT_EQ(doc.get(u"", u"early", u"-"), u"-");
  EXPECT_EQ(doc.get(u"t", u"k", u"-"), u"-");
}

TEST_F(ProfileReadTest, ValuesAreCutAt1023Characters) {
  const std::string longValue(2000, 'v');
  const ProfileDocument doc =
      load("[s]\nk=\"" + longValue + "\"\nexact=" + longValue.substr(0, 1023));
  EXPECT_EQ(doc.get(u"s", u"k", u"-"), std::u16string(kProfileValueLimit, u'v'));
  EXPECT_EQ(doc.get(u"s", u"exact", u"-").size(), kProfileValueLimit);
}

TEST_F(ProfileReadTest, MissingFileGivesTheDefaults) {
  EXPECT_EQ(ReadProfileString(dir_ / "none.ini", u"s", u"k", u"dflt"), u"dflt");
}

TEST_F(ProfileReadTest, EncodingsAndLineEnds) {
  EXPECT_EQ(load("\xEF\xBB\xBF[s]\rk=\xC3\xA9\r\n").get(u"s", u"k", u"-"), u"\u00E9");
  EXPECT_EQ(load("[s]\nk=a\xFF"
                 "b\n")
                .get(u"s", u"k", u"-"),
            u"a\uFFFDb");
  const std::string utf16 = "\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0\xAC\x20"s;
  EXPECT_EQ(load(utf16).get(u"s", u"k", u"-"), u"\u20AC");
  // A UTF-16 file cut in the middle of a character: the odd byte is dropped.
  EXPECT_EQ(load(utf16 + "x").get(u"s", u"k", u"-"), u"\u20AC");
  EXPECT_EQ(load("\xFF\xFE[").get(u"s", u"k", u"-"), u"-");
}

TEST_F(ProfileReadTest, BinaryJunkReadsAsWhateverLinesItMakes) {
  std::mt19937 random(7);
  std::string junk(100000, '\0');
  for (char& byte : junk) {
    byte = static_cast<char>(random());
  }
  for (const std::string& start : {""s, "\xFF\xFE"s, "\xEF\xBB\xBF"s}) {
    ProfileDocument doc = load(start + junk + "\n[s]\nk=1\n");
    EXPECT_EQ(doc.get(u"x", u"y", u"-"), u"-");
    EXPECT_TRUE(doc.set(u"s", u"k", u"2"));
    EXPECT_TRUE(doc.save(dir_ / "t.ini"));
  }
}

TEST_F(ProfileReadTest, TenMegabyteFileLoadsAndAnswersEveryKey) {
  std::string big;
  for (int section = 1; big.size() < 10'000'000; ++section) {
    big += "[" + std::to_string(section) + "]\r\nCommand=" + std::string(400, 'c') + "\r\nName=n" +
           std::to_string(section) + "\r\n";
  }
  const ProfileDocument doc = load(big);
  EXPECT_EQ(doc.get(u"1", u"name", u"-"), u"n1");
  EXPECT_EQ(doc.get(u"23000", u"name", u"-"), u"n23000");
}

}  // namespace
}  // namespace trel
