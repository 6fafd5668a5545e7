// What `trel` refuses before a job starts, and what it says: each refusal names the file and the
// system's reason after the window's own text, and ends with status 2 at once.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
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

TEST_F(RefusalTest, MessagesNameTheWordOrTheFileAndTheSystemsReason) {
  const std::string fifo = (dir / "pipe").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string out = (dir / "out.bin").string();
  const std::string missing = (dir / "missing" / "out.bin").string();
  const std::string notRegular = ": not a regular file (a folder, a pipe or a device)";
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"bogus"}, "trel: \"bogus\" is no command"},
      {{"record", "--out", out, "--params", fifo}, "--params: " + fifo + notRegular},
      {{"record", "--out", out, "--params", Params(), "--keywords", fifo},
       "--keywords: " + fifo + notRegular},
      {{"record", "--out", missing, "--params", Params()},
       "The file can't open\n" + missing + ": No such file or directory"},
  };
  for (const auto& [arguments, text] : cases) {
    const TrelRun run = RunTrel(arguments, kPromptly);
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_TRUE(Has(run.err, text)) << run.err;
  }
}

TEST_F(RefusalTest, EveryKeywordFileIsReportedAndStrictRefusesOneThatDoesNotLoad) {
  const std::string examples = TREL_EXAMPLES_DIR;
  dir.write("keywords.xml", ReadBytes(examples + "/keywords.xml"));
  const std::string binary = dir.write("binary.xml", std::string("\0\1\2 not xml", 11)).string();
  dir.write("binary.ini", std::string("\xFF\0\x01\x02", 4));
  ASSERT_EQ(::mkfifo((dir / "pipe.ini").c_str(), 0600), 0);
  const std::string out = (dir / "out.bin").string();
  const std::vector<std::string> keywords{"--keywords", binary, "--more-keywords",
                                          "keywords.xml;binary.ini;pipe.ini"};

  const TrelRun run = Record(out, keywords);
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const std::string skipped = ": skipped: it does not load as a keyword file\n";
  EXPECT_TRUE(Has(run.err, "keyword file " + binary + skipped)) << run.err;
  EXPECT_TRUE(Has(run.err, "keyword file " + (dir / "keywords.xml").string() + ": sent\n"));
  EXPECT_TRUE(Has(run.err, "keyword file " + (dir / "binary.ini").string() + skipped)) << run.err;
  EXPECT_TRUE(Has(run.err, "keyword file " + (dir / "pipe.ini").string() + skipped)) << run.err;

  std::vector<std::string> strict = keywords;
  strict.push_back("--strict");
  const TrelRun refused = Record((dir / "strict.bin").string(), strict);
  EXPECT_EQ(refused.exitCode, 2) << refused.err;
  EXPECT_TRUE(Has(refused.err, "keyword file " + binary + ": it does not load")) << refused.err;
  EXPECT_FALSE(Has(refused.err, "Downloading...")) << refused.err;
  EXPECT_FALSE(std::filesystem::exists(dir / "strict.bin"));
}

}  // namespace
}  // namespace trel::testing
