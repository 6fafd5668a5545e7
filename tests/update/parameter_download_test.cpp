#include "update/parameter_download.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "tables/text_encoding.h"
#include "update/clock_frame.h"
#include "update/exchange.h"
#include "update/fake_printer.h"
#include "update/param_file.h"
#include "update/update_job.h"

namespace trel {
namespace {

using testing::FakePrinter;
using testing::ParamSectionText;
using Bytes = std::vector<std::uint8_t>;

constexpr LocalTime kNow{2026, 12, 8, 2, 3, 4};

// Every frame's checksum must match its own bytes.
bool ChecksumMatches(const Frame& frame) {
  const std::span<const std::uint8_t> payload(frame.begin() + kFramePayloadOffset, frame.end() - 3);
  return frame[frame.size() - 3] == FrameChecksum(frame[kFrameSequenceOffset],
                                                  frame[kFrameCommandOffset],
                                                  frame[kFrameArgumentOffset], payload);
}

class ParameterDownloadTest : public ::testing::Test {
 protected:
  ParameterDownloadTest() { printer.SerialOpen("ttyUSB0"); }

  bool Download(const std::string& params, ExchangeSettings settings = ExchangeSettings()) {
    settings.replyWait = std::chrono::milliseconds(30);
    job.sequence = kFirstSequence;  // as every job starts
    FrameExchange exchange(printer, replies, settings);
    return DownloadParameters(dir.write("TrelDefault.ini", params), job, exchange, boxes, encoding,
                              kNow);
  }

  // Two ASCII items of the given lengths: a block of a + b + 8 bytes.
  static std::string TwoItems(std::size_t a, std::size_t b) {
    return ParamSectionText(1, std::string(a, 'a')) + ParamSectionText(2, std::string(b, 'b'));
  }

  std::vector<std::size_t> DataFrameSizes() const {
    std::vector<std::size_t> sizes;
    for (const Frame& frame : printer.written()) {
      if (frame[kFrameCommandOffset] == kCommandParameterData) {
        sizes.push_back(frame.size() - kFrameOverhead);
      }
    }
    return sizes;
  }

  testing::TempDir dir;
  testing::RecordedMessages messages;
  testing::RecordedBoxes boxes;
  ReplyChannel replies{messages};
  FakePrinter printer{replies};
  TextEncoding encoding;
  UpdateJob job;
};

TEST_F(ParameterDownloadTest, SendsClockDataAndEndFramesInSequence) {
  ASSERT_TRUE(Download(ParamSectionText(1, "A") + ParamSectionText(2, "B")));
  const std::vector<Frame> frames = printer.written();
  ASSERT_EQ(frames.size(), 3u);
  EXPECT_EQ(frames[0], BuildClockFrame(kNow, 3, false));
  EXPECT_EQ(frames[1],
            BuildFrame(4, kCommandParameterData, 0,
                       Bytes{0x41, 0x0A, 0x0D, 0x0A, 0x0D, 0x42, 0x0A, 0x0D, 0x0A, 0x0D}, false));
  EXPECT_EQ(frames[2],
            BuildFrame(5, kCommandParameterEnd, 0, Bytes{0xAA, 0x55, 0x55, 0xAA}, false));
  EXPECT_EQ(job.sequence, 6);
  EXPECT_EQ(job.firmwareLevel, 2);
}

TEST_F(ParameterDownloadTest, BlocksSplitIntoFramesOfAHundredBytes) {
  ASSERT_TRUE(Download(TwoItems(46, 46)));
  EXPECT_EQ(DataFrameSizes(), (std::vector<std::size_t>{100}));
  ASSERT_TRUE(Download(TwoItems(46, 47)));
  EXPECT_EQ(DataFrameSizes(), (std::vector<std::size_t>{100, 100, 1}));
}

TEST_F(ParameterDownloadTest, FramesPastIndex255CarryTheIndexByteInTheirChecksum) {
  std::string params;
  for (int number = 1; number <= 26; ++number) {
    params += ParamSectionText(number, std::string(1000, 'p'));
  }
  ASSERT_TRUE(Download(params));  // 26,104 bytes: 262 data frames
  const std::vector<Frame> frames = printer.written();
  ASSERT_EQ(DataFrameSizes().size(), 262u);
  const Frame& index256 = frames[1 + 256];
  EXPECT_EQ(index256[kFrameArgumentOffset], 0);
  for (const Frame& frame : frames) {
    EXPECT_TRUE(ChecksumMatches(frame));
  }
}

TEST_F(ParameterDownloadTest, RefusesShortListsBeforeSendingAnything) {
  EXPECT_FALSE(Download(ParamSectionText(1, "A", "1", 1, "")));
  EXPECT_EQ(boxes.boxes(), (std::vector<std::string>{"Error: Sorry,no item."}));
  EXPECT_TRUE(printer.written().empty());
}

TEST_F(ParameterDownloadTest, RefusesListsTooLargeForTheBlockBeforeSendingAnything) {
  std::string params;
  for (int number = 1; number <= 160; ++number) {
    params += ParamSectionText(number, std::string(1023, 'u'), "1", 2);
  }
  EXPECT_FALSE(Download(params));
  EXPECT_EQ(boxes.boxes(), (std::vector<std::string>{"Error: The parameter data is too large."}));
  EXPECT_TRUE(printer.written().empty());
}

TEST_F(ParameterDownloadTest, FirmwareNeedingMoreItemsStopsBeforeAnyDataFrame) {
  printer.itemsNeeded = 7;
  std::string params;
  for (int number = 1; number <= 5; ++number) {
    params += ParamSectionText(number, "x");
  }
  EXPECT_FALSE(Download(params));
  EXPECT_EQ(boxes.boxes(), (std::vector<std::string>{
                               "INI Item Error: The firmware need 7 items but this ini file only "
                               "have 5 itmes,please change the ini file and try again!"}));
  EXPECT_EQ(printer.written().size(), 1u);
}

TEST_F(ParameterDownloadTest, EscapeSelectorSwitchesTheSeparatorOnlyForNetPrinters) {
  printer.escapeSelector = 1;
  job.netprinter = 2;
  ASSERT_TRUE(Download(TwoItems(1, 1)));
  EXPECT_EQ(encoding.separatorCode, TextEncoding::kNetSeparator);
  printer.escapeSelector = 0;
  ASSERT_TRUE(Download(TwoItems(1, 1)));
  EXPECT_EQ(encoding.separatorCode, TextEncoding::kPlainSeparator);

  job.netprinter = 1;
  printer.escapeSelector = 1;
  ASSERT_TRUE(Download(TwoItems(1, 1)));
  EXPECT_EQ(encoding.separatorCode, TextEncoding::kPlainSeparator);
}

TEST_F(ParameterDownloadTest, WordWithLowByteFFLeavesTheDefaultFirmwareLevel) {
  printer.itemsNeeded = 0xFF;
  printer.firmwareLevel = 1;
  ASSERT_TRUE(Download(TwoItems(1, 1)));
  EXPECT_EQ(job.firmwareLevel, kDefaultFirmwareLevel);
}

TEST_F(ParameterDownloadTest, ClockFrameGoesOutOnceMoreWhenItFails) {
  printer.answer = [this](const Frame& frame, int number) {
    if (number == 1) {
      return std::vector<Reply>{};
    }
    return std::vector<Reply>{
        testing::Ack(frame, static_cast<std::uint8_t>(printer.firmwareLevel), 2)};
  };
  ASSERT_TRUE(Download(TwoItems(1, 1)));
  const std::vector<Frame> frames = printer.written();
  ASSERT_EQ(frames.size(), 4u);
  EXPECT_EQ(frames[0], frames[1]);

  printer.answer = [](const Frame&, int) { return std::vector<Reply>{}; };
  EXPECT_FALSE(Download(TwoItems(1, 1)));
  EXPECT_EQ(printer.written().size(), 6u);
}

TEST_F(ParameterDownloadTest, FileOnlyRecordsEverythingButTheClockFrame) {
  ExchangeSettings settings;
  settings.fileOnly = true;
  settings.outputPath = dir.write("out.bin", "");
  job.saveIniData = true;
  printer.itemsNeeded = 9;  // never asked: file-only exchanges answer 1
  ASSERT_TRUE(Download(TwoItems(1, 1), settings));
  const Frame data =
      BuildFrame(4, kCommandParameterData, 0,
                 Bytes{'a', 0x0A, 0x0D, 0x0A, 0x0D, 'b', 0x0A, 0x0D, 0x0A, 0x0D}, false);
  Frame expected = data;
  const Frame end = BuildFrame(5, kCommandParameterEnd, 0, Bytes{0xAA, 0x55, 0x55, 0xAA}, false);
  expected.insert(expected.end(), end.begin(), end.end());
  EXPECT_EQ(testing::ReadBytes(settings.outputPath), std::string(expected.begin(), expected.end()));
  EXPECT_TRUE(printer.written().empty());
  EXPECT_EQ(job.firmwareLevel, kDefaultFirmwareLevel);
}

}  // namespace
}  // namespace trel
