// The files a job writes: the output file, made empty before the first frame, and each frame
// appended to it.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/file_append.h"
#include "platform/output_file.h"
#include "platform/utf8_path.h"
#include "support/temp_dir.h"

namespace trel {
namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
constexpr char kNullDevice[] = "NUL";
#else
constexpr char kNullDevice[] = "/dev/null";
#endif

TEST(OutputFiles, ARegularFileIsEmptiedOrMade) {
  const testing::TempDir dir;
  const fs::path old = dir.write("old.bin", "old frames");
  EXPECT_FALSE(CreateEmptyRegularFile(old));
  EXPECT_EQ(testing::ReadBytes(old), "");
  EXPECT_FALSE(CreateEmptyRegularFile(dir / "new.bin"));
  EXPECT_TRUE(fs::is_regular_file(dir / "new.bin"));
  EXPECT_EQ(CreateEmptyRegularFile(dir / "missing" / "out.bin"),
            std::errc::no_such_file_or_directory);
}

TEST(OutputFiles, AFolderOrADeviceIsRefusedAndLeftAsItWas) {
  const testing::TempDir dir;
  fs::create_directory(dir / "folder");
  const fs::path inside = dir.write("folder/kept.bin", "kept");
  EXPECT_EQ(CreateEmptyRegularFile(dir / "folder"), NotARegularFile());
  EXPECT_EQ(testing::ReadBytes(inside), "kept");
  EXPECT_EQ(CreateEmptyRegularFile(PathFromUtf8(kNullDevice)), NotARegularFile());
}

TEST(OutputFiles, FramesAreAppendedOnlyToAFileThatIsThere) {
  const testing::TempDir dir;
  const fs::path recording = dir.write("out.bin", "ab");
  const std::vector<std::uint8_t> frame{'c', 'd'};
  EXPECT_FALSE(AppendToExistingFile(recording, frame));
  EXPECT_EQ(testing::ReadBytes(recording), "abcd");
  EXPECT_EQ(AppendToExistingFile(dir / "gone.bin", frame), std::errc::no_such_file_or_directory);
  EXPECT_FALSE(fs::exists(dir / "gone.bin"));
}

}  // namespace
}  // namespace trel
