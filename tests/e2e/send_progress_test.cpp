// What `trel send` shows while it works: one line redrawn in place on a terminal, plain lines in a
// log.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "e2e/job_files.h"
#include "e2e/trel_process.h"
#include "support/printer_sim_process.h"
#include "support/temp_dir.h"

namespace trel::testing {
namespace {

constexpr char kRedraw[] = "\r\033[K";

// Two parameter items: the job is the clock frame, one data frame and the end frame.
TrelRun SendTwoItems(const std::vector<std::string>& simOptions, ErrorOutput errorOutput) {
  TempDir dir;
  PrinterSimProcess sim(simOptions);
  const std::vector<std::string> arguments{
      "send", "--port", sim.portPath(), "--params",
      dir.write("params.ini", ParamList({{1, "A"}, {1, "B"}})).string()};
  return TrelProcess(arguments, {}, {.out = "", .err = "", .errorOutput = errorOutput}).finish();
}

// The last state of the line that is redrawn in place: what follows its last redraw.
std::string FinalProgressLine(const std::string& err) {
  const std::size_t redraw = err.rfind(kRedraw);
  if (redraw == std::string::npos) {
    return {};
  }
  const std::size_t start = redraw + std::string(kRedraw).size();
  return err.substr(start, err.find('\n', start) - start);
}

TEST(SendProgress, OnATerminalOneLineCountsFramesAndEndsWithTheOutcome) {
  const TrelRun run = SendTwoItems({}, ErrorOutput::kTerminal);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  // "Downloading..." and the progress line: nothing else starts a line of its own.
  EXPECT_EQ(CountOf(run.err, "\n"), 2) << run.err;
  EXPECT_TRUE(Has(run.err, "Downloading...\n[")) << run.err;
  EXPECT_TRUE(Has(run.err, "1 frame sent")) << run.err;
  EXPECT_TRUE(Has(run.err, "2 frames sent")) << run.err;
  EXPECT_FALSE(Has(run.err, "progress ")) << run.err;
  EXPECT_TRUE(std::regex_match(
      FinalProgressLine(run.err),
      std::regex(R"(\[#{20}\] 100%  3 frames sent  \d+:\d\d  Download success\.)")))
      << run.err;
}

TEST(SendProgress, OnATerminalAFailureLeavesTheProgressWhereItStopped) {
  const TrelRun run = SendTwoItems({"--nak", "2"}, ErrorOutput::kTerminal);
  ASSERT_EQ(run.exitCode, 1) << run.err;
  EXPECT_TRUE(std::regex_match(
      FinalProgressLine(run.err),
      std::regex(
          R"(\[\.{20}\]   2%  2 frames sent  \d+:\d\d  Please try again or check the port\.)")))
      << run.err;
  EXPECT_TRUE(Has(run.err, "port.\nError: Please try again or check the port.\n")) << run.err;
}

TEST(SendProgress, OffATerminalPrintsPlainLines) {
  const TrelRun run = SendTwoItems({}, ErrorOutput::kPipe);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "Downloading...\nprogress 100%\nDownload success.\n");
}

}  // namespace
}  // namespace trel::testing
