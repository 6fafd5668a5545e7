// What `trel` refuses before a job starts, and what it says: each refusal names the file and the
// system's reason after the window's own text, and ends with status 2 at once.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "e2e/job_files.h"
#include "e2e/trel_process.h"
#include "support/temp_dir.h"

namespace trel::testing {
namespace {

constexpr auto kPromptly = std::chrono::seconds(5);

class RefusalTest : public ::testing::Test {
 protected:
  std::string Params() { return dir.write("params.ini", ParamList({{1, "A"}, {1, "B"}})).string(); }
  TrelRun Record(const std::string& out, std::vector<std::string> extra = {}) {
    std::vector<std::string> arguments{"record", "--out", out, "--params", Params()};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return RunTrel(arguments, kPromptly);
  }

  TempDir dir;
};

TEST_F(RefusalTest, OutputThatIsNoRegularFileIsRefusedBeforeItIsOpened) {
  const std::string fifo = (dir / "pipe").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& out : {fifo, std::string("/dev/null"), dir.path().string()}) {
    const TrelRun run = Record(out);
    ASSERT_FALSE(run.timedOut) << out;
    EXPECT_EQ(run.exitCode, 2) << out;
    EXPECT_TRUE(Has(run.err, "The file can't open\n" + out + ": not a regular file")) << run.err;
    EXPECT_FALSE(Has(run.err, "Downloading...")) << run.err;
  }
}

}  // namespace
}  // namespace trel::testing
