// `trel send` against the stand-in printer over a pseudo-terminal: every way an exchange can end.
#include <gtest/gtest.h>

#include <signal.h>

#include <filesystem>
#include <ostream>

#include "e2e/job_files.h"
#include "e2e/trel_process.h"
#include "support/printer_sim_process.h"
#include "support/temp_dir.h"

namespace trel::testing {
namespace {

constexpr char kSuccess[] = "Download success.";
constexpr char kTryAgain[] = "Error: Please try again or check the port.";

// A stand-in printer and two parameter items: the job is the clock frame, one data frame and the
// end frame, the printer's frames 1, 2 and 3.
class SendTest : public ::testing::Test {
 protected:
  TrelRun Send(const PrinterSimProcess& sim, std::vector<std::string> extra) {
    std::vector<std::string> arguments{
        "send",
        "--port",
        sim.portPath(),
        "--params",
        dir.write("params.ini", ParamList({{1, "A"}, {1, "B"}})).string(),
        "--trace"};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return RunTrel(arguments);
  }

  TempDir dir;
};

struct FaultCase {
  const char* name;
  std::vector<std::string> simOptions;
  std::vector<std::string> trelOptions;
  int exitCode;
  const char* text;
  int framesSent;  // -1: not checked
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const FaultCase& fault, std::ostream* out) {
  *out << fault.name;
}

class SendFaultTest : public SendTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(SendFaultTest, EndsAsTheExchangeRulesSay) {
  const FaultCase& fault = GetParam();
  PrinterSimProcess sim(fault.simOptions);
  ASSERT_TRUE(sim.started());
  const TrelRun run = Send(sim, fault.trelOptions);
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, fault.exitCode) << run.err;
  EXPECT_TRUE(Has(run.err, fault.text)) << run.err;
  if (fault.framesSent >= 0) {
    EXPECT_EQ(CountOf(run.err, " sent "), fault.framesSent) << run.err;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SendFaultTest,
    ::testing::Values(
        FaultCase{"Success", {}, {}, 0, kSuccess, 3},
        // A refused clock frame is exchanged once more; a refused data frame ends the job.
        FaultCase{"ClockRefusedOnce", {"--nak", "1"}, {}, 0, kSuccess, 4},
        FaultCase{"DataRefused", {"--nak", "2"}, {}, 1, kTryAgain, 2},
        // A clock answer whose firmware word is 0 tells nothing: the clock frame goes out once
        // more, and a second 0 fails the job. Level 0 with items needed 2 is a word all the same.
        FaultCase{"ClockWordZeroTwice",
                  {"--firmware-level", "0", "--items-needed", "0"},
                  {},
                  1,
                  kTryAgain,
                  2},
        FaultCase{"ClockWordZeroOnce", {"--no-word", "1"}, {}, 0, kSuccess, 4},
        FaultCase{"FirmwareLevelZero", {"--firmware-level", "0"}, {}, 0, kSuccess, 3},
        // A frame whose wait timed out is never sent again; with --nowait it counts as accepted.
        FaultCase{"NoAnswer", {"--drop", "2"}, {}, 1, kTryAgain, 2},
        FaultCase{"NoAnswerNowait", {"--drop", "2"}, {"--nowait"}, 0, kSuccess, 3},
        // A reply for another frame makes the frame go out once more, and only once.
        FaultCase{"WrongSequenceResent", {"--wrong-seq", "2"}, {}, 0, kSuccess, 4},
        FaultCase{
            "WrongSequenceTwice", {"--wrong-seq", "2", "--wrong-seq", "3"}, {}, 1, kTryAgain, 3},
        // Up to three bytes may stand before the reply's start byte.
        FaultCase{"GarbageWithinThreeBytes", {"--garbage", "aabbcc"}, {}, 0, kSuccess, 3},
        FaultCase{"GarbageBeyondThreeBytes", {"--garbage", "aabbccdd"}, {}, 1, kTryAgain, 4},
        FaultCase{"SplitAnswers", {"--split"}, {}, 0, kSuccess, 3},
        FaultCase{"ShortAnswers", {"--short-acks"}, {}, 0, kSuccess, 3},
        FaultCase{"HangUp", {"--hang-up", "2"}, {}, 1, "Error: ", -1},
        FaultCase{"ItemsNeeded",
                  {"--items-needed", "5"},
                  {},
                  1,
                  "INI Item Error: The firmware need 5 items but this ini file only have 2 itmes,"
                  "please change the ini file and try again!",
                  1}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return info.param.name; });

TEST_F(SendTest, MissingPortEndsAtOnceWithStatusThree) {
  const TrelRun run = RunTrel({"send", "--port", (dir / "no-such-port").string(), "--params",
                               dir.write("params.ini", ParamList({{1, "A"}, {1, "B"}})).string()},
                              std::chrono::seconds(5));
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_TRUE(Has(run.err, "Error: Sorry,can't open the port,please try again."));
  EXPECT_TRUE(Has(run.err, "no-such-port")) << run.err;
}

TEST_F(SendTest, InterruptClosesThePortAtOnceSaysSoAndRemovesTheWorkingCopy) {
  // The printer never answers: left alone, the job would wait out the clock frame, send it once
  // more and wait again.
  PrinterSimProcess sim({"--drop", "1", "--drop", "2"});
  const TempDir temporary;
  TrelProcess trel({"send", "--port", sim.portPath(), "--params",
                    dir.write("params.ini", ParamList({{1, "A"}, {1, "B"}})).string(), "--trace"},
                   {"TMPDIR=" + temporary.path().string()});
  ASSERT_TRUE(trel.waitForError(" sent ", std::chrono::seconds(10)));
  EXPECT_FALSE(std::filesystem::is_empty(temporary.path()));
  trel.signal(SIGINT);
  const TrelRun run = trel.finish();
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 130) << run.err;
  EXPECT_TRUE(Has(run.err, "interrupted: closing the port\n")) << run.err;
  // The job ended in the wait for the first answer: the clock frame never went out again.
  EXPECT_EQ(CountOf(run.err, " sent "), 1) << run.err;
  // No failure of the port or the job is reported.
  EXPECT_FALSE(Has(run.err, "Error:")) << run.err;
  EXPECT_FALSE(Has(run.err, "Please try again")) << run.err;
  EXPECT_TRUE(std::filesystem::is_empty(temporary.path()));
}

// Whatever ends a run early, the signals the watcher takes or a standard error whose reader went
// away, the run ends in order and leaves no working copy behind.
TEST_F(SendTest, EveryWayARunEndsRemovesTheWorkingCopy) {
  PrinterSimProcess sim({"--delay", "3000"});  // every frame waits for its answer
  const std::string params = dir.write("params.ini", ParamList({{1, "A"}, {1, "B"}})).string();
  for (const int ending : {SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) {
    const TempDir temporary;
    TrelProcess trel({"send", "--port", sim.portPath(), "--params", params},
                     {"TMPDIR=" + temporary.path().string()});
    ASSERT_TRUE(trel.waitForError("Downloading...", std::chrono::seconds(10)));
    if (ending == SIGPIPE) {
      trel.closeErrorPipe();
      trel.signal(SIGINT);  // its next words go to the closed pipe
    } else {
      trel.signal(ending);
    }
    const TrelRun run = trel.finish();
    ASSERT_FALSE(run.timedOut);
    EXPECT_NE(run.exitCode, -1) << "ended by signal, case " << ending;
    EXPECT_TRUE(std::filesystem::is_empty(temporary.path())) << "case " << ending;
  }
}

// One first-level key whose content holds the separator escape.
constexpr char kSeparatorKeywords[] =
    "<VORTELL><Elements base=\"17\"><Element id=\"0\" format=\"vortell\"><Data>"
    "<Int8 value=\"K\"/><Int8 value=\"a\\sb\"/></Data></Element></Elements></VORTELL>";

TEST_F(SendTest, EscapeSelectorSwitchesTheSeparatorOfTheKeywordTexts) {
  const auto keywords = dir.write("sep.xml", kSeparatorKeywords);
  const auto recording = dir / "sent.bin";
  for (const char* selector : {"0", "1"}) {
    PrinterSimProcess sim({"--escape-selector", selector});
    const TrelRun run =
        Send(sim, {"--keywords", keywords.string(), "--record", recording.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::uint8_t> plain = {'a', 0xC3, 0xBF, 'b'};  // U+00FF
    const std::vector<std::uint8_t> net = {'a', 0xCB, 0xBF, 'b'};    // U+02FF
    const bool switched = selector[0] == '1';
    EXPECT_EQ(Contains(ReadBytes(recording), switched ? net : plain), true) << selector;
    EXPECT_EQ(Contains(ReadBytes(recording), switched ? plain : net), false) << selector;
  }
}

TEST_F(SendTest, FirmwareLevelOneSkipsTheExtraKeywordFiles) {
  const auto keywords = dir.write("sep.xml", kSeparatorKeywords);
  const std::vector<std::uint8_t> extraClosing = {0x53, 0x16, 0x01};  // command 83, code 22, file 1
  for (const char* level : {"1", "2"}) {
    PrinterSimProcess sim({"--firmware-level", level});
    const TrelRun run = Send(sim, {"--keywords", keywords.string(), "--more-keywords", "sep.xml",
                                   "--record", (dir / "sent.bin").string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Contains(ReadBytes(dir / "sent.bin"), extraClosing), level[0] == '2') << level;
  }
}

TEST_F(SendTest, RecordingOneKindOfFrameKeepsOnlyThatKind) {
  const auto keywords = dir.write("sep.xml", kSeparatorKeywords);
  const std::vector<std::uint8_t> parameterEnd = {0xAA, 0x55, 0x55, 0xAA};
  const std::vector<std::uint8_t> keywordClosing = {0x53, 0x06, 0x00};  // command 83, code 6
  for (const char* kind : {"--record-params", "--record-keywords"}) {
    PrinterSimProcess sim;
    const TrelRun run =
        Send(sim, {"--keywords", keywords.string(), "--record", (dir / "sent.bin").string(), kind});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const bool params = std::string(kind) == "--record-params";
    EXPECT_EQ(Contains(ReadBytes(dir / "sent.bin"), parameterEnd), params) << kind;
    EXPECT_EQ(Contains(ReadBytes(dir / "sent.bin"), keywordClosing), !params) << kind;
  }
}

TEST_F(SendTest, ExamplesAreSentAndRecordedAsRecordWritesThem) {
  const std::filesystem::path examples = TREL_EXAMPLES_DIR;
  const std::vector<std::string> files{
      "--params",        (examples / "params.ini").string(),
      "--keywords",      (examples / "keywords.xml").string(),
      "--more-keywords", "keywords-extra1.xml;keywords-extra2.ini"};
  PrinterSimProcess sim;
  std::vector<std::string> send{"send", "--port", sim.portPath(), "--record",
                                (dir / "sent.bin").string()};
  send.insert(send.end(), files.begin(), files.end());
  // The desktop tool's folder, with its working copy, is never touched.
  const auto toolFolder = dir / "tool";
  std::filesystem::create_directory(toolFolder);
  const TrelRun sent = TrelProcess(send, {"TREL_TOOL_DIR=" + toolFolder.string()}).finish();
  ASSERT_EQ(sent.exitCode, 0) << sent.err;
  EXPECT_TRUE(Has(sent.err, kSuccess));
  EXPECT_TRUE(std::filesystem::is_empty(toolFolder));

  std::vector<std::string> record{"record", "--out", (dir / "recorded.bin").string()};
  record.insert(record.end(), files.begin(), files.end());
  ASSERT_EQ(RunTrel(record).exitCode, 0);
  EXPECT_EQ(ReadBytes(dir / "sent.bin"), ReadBytes(dir / "recorded.bin"));
  EXPECT_FALSE(ReadBytes(dir / "sent.bin").empty());
}

}  // namespace
}  // namespace trel::testing
