#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "support/temp_dir.h"
#include "tables/working_copy.h"

namespace trel {
namespace {

using testing::ReadBytes;
using testing::TempDir;

std::string Utf16Le(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

const std::string kUtf8Text = "[1]\r\nName=Caf\xC3\xA9 \xC2\xA3\r\n";

TEST(WorkingCopyConversion, BomPlainAndAsciiBecomeUtf16Le) {
  TempDir dir;
  const auto copy = dir / "TrelDefault.ini";
  ASSERT_TRUE(ConvertToWorkingCopy(dir.write("bom.ini", "\xEF\xBB\xBF" + kUtf8Text), copy));
  EXPECT_EQ(ReadBytes(copy), Utf16Le(u"[1]\r\nName=Café £\r\n"));

  ASSERT_TRUE(ConvertToWorkingCopy(dir.write("plain.ini", kUtf8Text), copy));
  EXPECT_EQ(ReadBytes(copy), Utf16Le(u"[1]\r\nName=Café £\r\n"));

  ASSERT_TRUE(ConvertToWorkingCopy(dir.write("ascii.ini", "[1]\nA=b\n"), copy));
  EXPECT_EQ(ReadBytes(copy), Utf16Le(u"[1]\nA=b\n"));
}

TEST(WorkingCopyConversion, OtherCodePagesAreDecodedAsUtf8) {
  TempDir dir;
  const auto copy = dir / "TrelDefault.ini";
  ASSERT_TRUE(ConvertToWorkingCopy(dir.write("latin1.ini", "N=Caf\xE9!"), copy));
  EXPECT_EQ(ReadBytes(copy), Utf16Le(u"N=Caf\uFFFD!"));
}

TEST(WorkingCopyConversion, RefusesUtf16ShortAndMissingFilesWritingNothing) {
  TempDir dir;
  const auto copy = dir.write("TrelDefault.ini", "previous");
  EXPECT_FALSE(ConvertToWorkingCopy(dir.write("wide.ini", Utf16Le(u"[1]")), copy));
  EXPECT_FALSE(ConvertToWorkingCopy(dir.write("short.ini", "ab"), copy));
  EXPECT_FALSE(ConvertToWorkingCopy(dir / "absent.ini", copy));
  EXPECT_FALSE(ConvertToWorkingCopy(dir.path(), copy));
  EXPECT_EQ(ReadBytes(copy), "previous");
}

// The caller must not load a stale working copy as if the import had worked.
TEST(WorkingCopyConversion, UnwritableDestinationFailsAndKeepsIt) {
  TempDir dir;
  const auto copy = dir.write("TrelDefault.ini", "previous");
  ::chmod(copy.c_str(), 0444);
  EXPECT_FALSE(ConvertToWorkingCopy(dir.write("list.ini", kUtf8Text), copy));
  EXPECT_EQ(ReadBytes(copy), "previous");
}

TEST(CopyFileBytes, CopiesExactlyOrLeavesTheDestination) {
  TempDir dir;
  const std::string bytes("\xFF\xFE\x00x\x01", 5);
  const auto copy = dir / "TrelDefault.ini";
  ASSERT_TRUE(CopyFileBytes(dir.write("source.ini", bytes), copy));
  EXPECT_EQ(ReadBytes(copy), bytes);

  EXPECT_FALSE(CopyFileBytes(dir / "absent.ini", copy));
  EXPECT_EQ(ReadBytes(copy), bytes);
  ::chmod(copy.c_str(), 0444);
  EXPECT_FALSE(CopyFileBytes(dir.write("other.ini", "other"), copy));
  EXPECT_EQ(ReadBytes(copy), bytes);
}

}  // namespace
}  // namespace trel
