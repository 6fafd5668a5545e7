#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"
#include "tables/working_copy.h"

namespace trel {
namespace {

using testing::ReadBytes;

std::string Utf16Le(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t c : text) {
    bytes += std::string{static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  }
  return bytes;
}

TEST(WorkingCopy, Utf8WithOrWithoutMarkAndOtherCodePagesBecomeUtf16Le) {
  testing::TempDir dir;
  const auto copy = dir / "TrelDefault.ini";
  const std::string text = "N=Caf\xC3\xA9 \xC2\xA3\r\n";
  ASSERT_TRUE(ConvertToWorkingCopy(dir.write("bom.ini", "\xEF\xBB\xBF" + text), copy));
  EXPECT_EQ(ReadBytes(copy), Utf16Le(u"N=Café £\r\n"));
  ASSERT_TRUE(ConvertToWorkingCopy(dir.write("plain.ini", text), copy));
  EXPECT_EQ(ReadBytes(copy), Utf16Le(u"N=Café £\r\n"));
  ASSERT_TRUE(ConvertToWorkingCopy(dir.write("latin1.ini", "N=Caf\xE9"), copy));
  EXPECT_EQ(ReadBytes(copy), Utf16Le(u"N=Caf\uFFFD"));
}

TEST(WorkingCopy, RefusedConversionsLeaveTheDestination) {
  testing::TempDir dir;
  const auto copy = dir.write("TrelDefault.ini", "previous");
  EXPECT_FALSE(ConvertToWorkingCopy(dir.write("wide.ini", Utf16Le(u"[1]")), copy));
  EXPECT_FALSE(ConvertToWorkingCopy(dir.write("short.ini", "ab"), copy));
  EXPECT_FALSE(ConvertToWorkingCopy(dir / "absent.ini", copy));
  EXPECT_FALSE(ConvertToWorkingCopy(dir.path(), copy));
  // An unwritable working copy fails too: the caller must not load the stale one as imported.
  testing::MakeReadOnly(copy);
  EXPECT_FALSE(ConvertToWorkingCopy(dir.write("list.ini", "[1]\r\n"), copy));
  EXPECT_EQ(ReadBytes(copy), "previous");
}

TEST(WorkingCopy, ByteCopyIsExactOrLeavesTheDestination) {
  testing::TempDir dir;
  const std::string bytes("\xFF\xFE\x00x\x01", 5);
  const auto copy = dir / "TrelDefault.ini";
  ASSERT_TRUE(CopyFileBytes(dir.write("source.ini", bytes), copy));
  EXPECT_EQ(ReadBytes(copy), bytes);
  EXPECT_FALSE(CopyFileBytes(dir / "absent.ini", copy));
  testing::MakeReadOnly(copy);
  EXPECT_FALSE(CopyFileBytes(dir.write("other.ini", "other"), copy));
  EXPECT_EQ(ReadBytes(copy), bytes);
}

}  // namespace
}  // namespace trel
