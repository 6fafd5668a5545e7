// The built-in keyword tables as the printer receives them, and as `trel decode` explains them.
//
// golden/default_tables.bin is what `trel record` wrote for two parameter items and one extra
// keyword file of the INI form that counts every default row (8 first-level keys, 7 and 14
// translation sources); the INI form sets only the counts, so the rows are the built-in ones.
// golden/default_tables.txt is `trel decode` of it. Both were checked by hand against
// docs/wire-format.md and the default tables, row by row, when they were made.
#include <gtest/gtest.h>

#include <filesystem>

#include "e2e/job_files.h"
#include "e2e/trel_process.h"
#include "support/temp_dir.h"

namespace trel::testing {
namespace {

const std::filesystem::path kGolden = std::filesystem::path(TREL_SOURCE_DIR) / "tests/e2e/golden";

TEST(DefaultTables, RecordingMatchesTheGoldenFrames) {
  TempDir dir;
  dir.write("params.ini", ParamList({{1, "A"}, {1, "B"}}));
  dir.write("defaults.ini",
            "[General]\r\nFirstKeyNum=8\r\n[KeyTrans1]\r\nKeyTrans=7\r\n"
            "[KeyTrans2]\r\nKeyTrans=14\r\n");
  const std::filesystem::path keywords = dir / "defaults.ini";
  // The main keyword file is of the INI form and so is not sent; the extra one is.
  const TrelRun run = RunTrel({"record", "--out", (dir / "out.bin").string(), "--params",
                               (dir / "params.ini").string(), "--keywords", keywords.string(),
                               "--more-keywords", "defaults.ini"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadBytes(dir / "out.bin"), ReadBytes(kGolden / "default_tables.bin"));
}

TEST(DefaultTables, DecodeExplainsEveryFrameAsTheGoldenText) {
  const TrelRun run = RunTrel({"decode", (kGolden / "default_tables.bin").string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, ReadBytes(kGolden / "default_tables.txt"));
}
}  // namespace
}  // namespace trel::testing
