#include <gtest/gtest.h>

#include "update/job_bench.h"

namespace trel {
namespace {

constexpr char kKeywordXml[] =
    "<?xml version=\"1.0\"?>\n<VORTELL><Elements base=\"17\">"
    "<Element id=\"0\" format=\"vortell\"><Data><Int8 value=\"#\"/><Int8 value=\"Head\"/></Data>"
    "</Element></Elements></VORTELL>\n";
constexpr char kKeywordIni[] = "[General]\r\nFirstKeyNum=1\r\n";

class RunUpdateJobTest : public ::testing::Test, public testing::JobBench {
 protected:
  std::intptr_t Run() {
    RunUpdateJob(job, Environment(), [this] { ++jobEndings; });
    return LastOutcome();
  }

  // (closing code, keyword file index) of every keyword file sent.
  std::vector<std::pair<int, int>> ClosingFrames(const std::vector<Frame>& frames) const {
    std::vector<std::pair<int, int>> closings;
    for (const Frame& frame : frames) {
      const int argument = frame[kFrameArgumentOffset];
      if (frame[kFrameCommandOffset] == kCommandKeyword && (argument == 6 || argument == 22)) {
        closings.emplace_back(argument, frame[kFramePayloadOffset]);
      }
    }
    return closings;
  }

  int jobEndings = 0;
};

TEST_F(RunUpdateJobTest, OutcomesAndTheirEnd) {
  EXPECT_EQ(Run(), kJobSucceeded);
  EXPECT_EQ(printer.written().size(), 3u);
  printer.answer = [](const Frame&, int) { return std::vector<Reply>{}; };
  EXPECT_EQ(Run(), kJobFailed);
  EXPECT_EQ(printer.written().size(), 3u + 2);  // the clock frame and its one repeat
  printer.opens = false;
  EXPECT_EQ(Run(), kJobPortNotOpened);
  EXPECT_EQ(printer.written().size(), 5u);
  EXPECT_EQ(printer.closeCount(), 3);
  EXPECT_EQ(jobEndings, 3);
}

TEST_F(RunUpdateJobTest, SaveBoxWithoutAPortRecordsOnly) {
  job.portName.clear();
  job.saveIniData = true;
  job.saveXmlData = true;
  job.mainKeywordPath = dir.write("keys.xml", kKeywordXml);
  job.outputPath = dir.write("out.bin", "");
  EXPECT_EQ(Run(), kJobSucceeded);
  EXPECT_TRUE(printer.written().empty());
  EXPECT_TRUE(job.fileOnly);
  const std::string recorded = testing::ReadBytes(job.outputPath);
  // data, end, keyword header, one first-level row, closing; never the clock frame
  EXPECT_EQ(recorded.size(), (8u + 10) + (8 + 4) + (8 + 5) + (8 + 8 + 1 + 4) + (8 + 1));
  EXPECT_EQ(static_cast<std::uint8_t>(recorded[3]), kCommandParameterData);

  job.outputPath.clear();  // the file dialog was cancelled
  EXPECT_EQ(Run(), kJobPortNotOpened);
}

// A recording that loses a frame fails the job, recording only or sending too, and the frame it
// could not record is not sent. The output file here went away after it was made (a full disk
// or a file that can take no more is tried on `trel` itself, tests/e2e), which every system reports
// alike.
TEST_F(RunUpdateJobTest, AFrameTheOutputFileDoesNotTakeFailsTheJob) {
  job.saveIniData = true;
  job.outputPath = dir.path() / "removed.bin";
  EXPECT_EQ(Run(), kJobNotRecorded);
  EXPECT_EQ(job.recordingError, std::errc::no_such_file_or_directory);
  EXPECT_EQ(printer.written().size(), 1u);  // the clock frame, which is never recorded
  job.portName.clear();
  EXPECT_EQ(Run(), kJobNotRecorded);
  EXPECT_EQ(LastOutcome(), kJobNotRecorded);
  job.outputPath = dir.write("out.bin", "");
  EXPECT_EQ(Run(), kJobSucceeded);
  EXPECT_FALSE(job.recordingError);
}

// A clock acknowledgement whose firmware word is 0 tells nothing: the clock frame goes out once
// more, and a second 0 fails the job as silence does.
TEST_F(RunUpdateJobTest, ClockWordZeroTwiceFailsTheJobAfterExactlyTwoClockFrames) {
  printer.answer = [](const Frame& frame, int) {
    return std::vector<Reply>{testing::Ack(frame, 0, 0, 0)};
  };
  EXPECT_EQ(Run(), kJobFailed);
  const std::vector<Frame> sent = printer.written();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0][kFrameCommandOffset], kCommandClock);
  EXPECT_EQ(sent[1], sent[0]);
  EXPECT_TRUE(frontEnd.boxes().empty());
}

TEST_F(RunUpdateJobTest, ClockWordZeroThenAWordSucceeds) {
  printer.answer = [](const Frame& frame, int number) {
    const bool clock = frame[kFrameCommandOffset] == kCommandClock;
    const bool word = clock && number > 1;
    return std::vector<Reply>{testing::Ack(frame, word ? 4 : 0, word ? 2 : 0)};
  };
  EXPECT_EQ(Run(), kJobSucceeded);
  EXPECT_EQ(printer.written().size(), 2u + 2);  // the clock frame twice, data, end
  EXPECT_EQ(job.firmwareLevel, 4);
}

TEST_F(RunUpdateJobTest, MainKeywordFileIsSentOnlyInItsXmlFormInAnyCase) {
  job.mainKeywordPath = dir.write("KEYS.XML", kKeywordXml);
  EXPECT_EQ(Run(), kJobSucceeded);
  EXPECT_EQ(ClosingFrames(printer.written()), (std::vector<std::pair<int, int>>{{6, 0}}));

  job.mainKeywordPath = dir.write("keys.ini", kKeywordIni);
  const std::size_t before = printer.written().size();
  EXPECT_EQ(Run(), kJobSucceeded);
  EXPECT_EQ(printer.written().size() - before, 3u);
  EXPECT_EQ(job.keywordFileCount, 1);
}

TEST_F(RunUpdateJobTest, ExtraKeywordFilesNeedFirmwareLevelAboveOne) {
  dir.write("one.xml", kKeywordXml);
  dir.write("two.ini", kKeywordIni);
  job.extraKeywordNames = {"one.xml", "", "missing.xml", "two.ini"};
  printer.firmwareLevel = 1;
  EXPECT_EQ(Run(), kJobSucceeded);
  EXPECT_TRUE(ClosingFrames(printer.written()).empty());

  printer.firmwareLevel = 2;
  EXPECT_EQ(Run(), kJobSucceeded);
  EXPECT_EQ(job.keywordFileCount, 4);
  EXPECT_EQ(ClosingFrames(printer.written()), (std::vector<std::pair<int, int>>{{22, 1}, {22, 4}}));
  EXPECT_EQ(frontEnd.boxes().size(), 1u);  // "Can't open:" for the missing file
}

TEST_F(RunUpdateJobTest, SilentPrinterWithNowaitKeepsTheDefaultLevelAndAtMostNineExtraFiles) {
  dir.write("one.xml", kKeywordXml);
  job.extraKeywordNames.assign(12, "one.xml");
  job.nowait = true;
  printer.answer = [](const Frame&, int) { return std::vector<Reply>{}; };
  EXPECT_EQ(Run(), kJobSucceeded);
  EXPECT_EQ(job.firmwareLevel, kDefaultFirmwareLevel);
  EXPECT_EQ(job.keywordFileCount, 9);
  EXPECT_EQ(ClosingFrames(printer.written()).size(), 9u);
}

}  // namespace
}  // namespace trel
