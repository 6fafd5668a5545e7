// What `trel` does when its output cannot be written: a recording cut short, standard output or
// error that does not take the text.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <string>

#include "e2e/job_files.h"
#include "e2e/trel_process.h"
#include "support/printer_sim_process.h"
#include "support/temp_dir.h"

namespace trel::testing {
namespace {

// Files written by this process and the programs it starts may grow to `bytes` only; a write past
// that fails with "File too large" instead of raising the signal, as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    const rlimit limit{bytes, saved_.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    previous_ = ::signal(SIGXFSZ, SIG_IGN);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    ::signal(SIGXFSZ, previous_);
  }

 private:
  rlimit saved_{};
  sighandler_t previous_ = SIG_DFL;
};

// The examples with the main keyword file sent nine times more: about 9 KB of frames from a
// working copy of about 2 KB.
std::vector<std::string> LongJob(const std::string& out) {
  const std::string examples = TREL_EXAMPLES_DIR;
  std::string more;
  for (int i = 0; i < 9; ++i) {
    more += "keywords.xml;";
  }
  return {"--record",        out,
          "--params",        examples + "/params.ini",
          "--keywords",      examples + "/keywords.xml",
          "--more-keywords", more};
}

// A log that cannot take a job's line (a full disk) keeps what it held, whole; the job itself is
// not cut off, and the send then fails, saying so.
TEST(OutputFailure, LogLineThatDoesNotFitIsLeftOutWholeAndFailsTheSend) {
  TempDir dir;
  PrinterSimProcess sim;
  const std::string earlier = "{\"earlier\":true}\n";
  const std::filesystem::path log = dir.write("log.jsonl", earlier + std::string(4000, ' ') + "\n");
  const std::string before = ReadBytes(log);
  const FileSizeLimit limit(4096);
  const TrelRun run = RunTrel({"send", "--port", sim.portPath(), "--params",
                               dir.write("params.ini", ParamList({{1, "A"}, {1, "B"}})).string(),
                               "--log", log.string()});
  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_TRUE(Has(run.err, "Download success.\n")) << run.err;
  EXPECT_TRUE(Has(run.err, "trel: " + log.string() + ": File too large (the line of " +
                               sim.portPath() + " is not in it)\n"))
      << run.err;
  EXPECT_EQ(ReadBytes(log), before);
}

TEST(OutputFailure, RecordingCutShortFailsTheJobNamingTheFileAndTheCause) {
  TempDir dir;
  const std::string out = (dir / "out.bin").string();
  PrinterSimProcess sim;
  ASSERT_TRUE(sim.started());
  std::vector<std::string> record = LongJob(out);
  record[0] = "--out";
  record.insert(record.begin(), "record");
  std::vector<std::string> send = LongJob(out);
  send.insert(send.begin(), {"send", "--port", sim.portPath()});
  const FileSizeLimit limit(4096);
  for (const std::vector<std::string>& arguments : {record, send}) {
    const TrelRun run = RunTrel(arguments);
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_FALSE(Has(run.err, "Download success.")) << run.err;
    EXPECT_TRUE(Has(run.err, "Error: The file can't write\n")) << run.err;
    EXPECT_TRUE(Has(run.err, out + ": File too large\n")) << run.err;
  }
}

TEST(OutputFailure, StandardOutputOrErrorThatTakesNothingFailsTheCommand) {
  TempDir dir;
  const std::string recording = (dir / "out.bin").string();
  ASSERT_EQ(RunTrel({"record", "--out", recording, "--params",
                     dir.write("params.ini", ParamList({{1, "A"}, {1, "B"}})).string()})
                .exitCode,
            0);
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"decode", recording}, std::vector<std::string>{"ports"}}) {
    const TrelRun run = TrelProcess(arguments, {}, {.out = "/dev/full", .err = ""}).finish();
    EXPECT_EQ(run.exitCode, 1) << arguments[0];
    EXPECT_TRUE(Has(run.err, "trel: standard output: ")) << run.err;
  }
  const TrelRun record =
      TrelProcess({"record", "--out", recording, "--params", (dir / "params.ini").string()}, {},
                  {.out = "", .err = "/dev/full"})
          .finish();
  EXPECT_EQ(record.exitCode, 1);
}

}  // namespace
}  // namespace trel::testing
