#include "update/parameter_download.h"

#include <gtest/gtest.h>

#include "platform/private_profile.h"
#include "update/clock_frame.h"
#include "update/job_bench.h"
#include "update/parameter_block.h"

namespace trel {
namespace {

using testing::ParamSectionText;
using Bytes = std::vector<std::uint8_t>;

constexpr LocalTime kNow{2026, 12, 8, 2, 3, 4};

TEST(PackItemValue, EveryDataMode) {
  const struct {
    std::u16string command;
    int mode;
    Bytes bytes;
  } cases[] = {
      {u"1B40", 0, {0x1B, 0x40}},
      {u"ABC", 0, {0xAB, 0x0C}},                  // odd last digit alone
      {u"af1b0c", 0, {0xAF, 0x1B, 0x0C}},         // lowercase digits as uppercase ones
      {u"zG1", 0, {0x00, 0x01}},                  // non-digits count as 0
      {u"A\u00e9\u20ac", 1, {0x41, 0xE9, 0xAC}},  // low byte of each
      {u"A\u20ac", 2, {0x00, 0x41, 0x20, 0xAC}},  // high byte first
      {u"A\\aB\u20ac", 3, {0x41, 0x20, 0x42, 0xE2, 0x82, 0xAC}},
      {u"", 2, {0x20}},  // empty in any mode
      {u"41", 7, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PackItemValue(c.command, c.mode, TextEncoding()), c.bytes) << c.mode;
  }
}

class ParameterDownloadTest : public ::testing::Test, public testing::JobBench {
 protected:
  bool Download(const std::string& params) {
    job.sequence = kFirstSequence;
    FrameExchange exchange(printer, replies, Settings());
    return DownloadParameters(dir.write("params.ini", params), job, exchange, frontEnd, encoding,
                              kNow);
  }
  PackedParameters Pack(const std::string& params) {
    return PackParameterItems(ProfileDocument::Load(dir.write("params.ini", params)), encoding);
  }
  static std::string Items(int count, std::size_t length, int dataMode = 1) {
    std::string text;
    for (int number = 1; number <= count; ++number) {
      text += ParamSectionText(number, std::string(length, 'x'), "1", dataMode);
    }
    return text;
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
};

TEST_F(ParameterDownloadTest, ItemsEndAtHiddenOrMissingSectionsAndInvalidOnesKeepTheirSeparator) {
  EXPECT_EQ(Pack(ParamSectionText(1, "A", "1", 1, "")).itemCount, 0);  // no IsHide: list ends
  const PackedParameters packed = Pack(
      ParamSectionText(1, "A", "0") + ParamSectionText(2, "B", "x", 1, "1") +
      ParamSectionText(3, "C", "") + ParamSectionText(4, "D", "10") + ParamSectionText(6, "F"));
  EXPECT_EQ(packed.itemCount, 4);
  EXPECT_EQ(packed.block, (Bytes{0x0A, 0x0D, 0x0A, 0x0D, 'B', 0x0A, 0x0D, 0x0A, 0x0D, 'C', 0x0A,
                                 0x0D, 0x0A, 0x0D, 'D', 0x0A, 0x0D, 0x0A, 0x0D}));
}

TEST_F(ParameterDownloadTest, SendsClockDataAndEndFrames) {
  ASSERT_TRUE(Download(ParamSectionText(1, "A") + ParamSectionText(2, "B")));
  EXPECT_EQ(printer.written(),
            (std::vector<Frame>{
                BuildClockFrame(kNow, 3, false),
                BuildFrame(4, 92, 0, Bytes{'A', 10, 13, 10, 13, 'B', 10, 13, 10, 13}, false),
                BuildFrame(5, 0, 0, Bytes{0xAA, 0x55, 0x55, 0xAA}, false)}));
  EXPECT_EQ(job.sequence, 6);
  EXPECT_EQ(job.firmwareLevel, 2);
}

TEST_F(ParameterDownloadTest, DataFramesHoldAHundredBytesAndWrapTheirIndexByte) {
  ASSERT_TRUE(Download(Items(2, 46)));  // 100 bytes
  ASSERT_TRUE(Download(Items(1, 46) + ParamSectionText(2, std::string(47, 'y'))));
  EXPECT_EQ(DataFrameSizes(), (std::vector<std::size_t>{100, 100, 1}));
  ASSERT_TRUE(Download(Items(26, 1000)));  // 26,104 bytes: 262 frames
  const std::vector<Frame> frames = printer.written();
  const Frame& index256 = frames[frames.size() - 1 - 262 + 256];
  EXPECT_EQ(index256[kFrameArgumentOffset], 0);
  const Bytes payload(index256.begin() + 5, index256.end() - 3);
  EXPECT_EQ(BuildFrame(index256[2], 92, 0, payload, false), index256);
}

TEST_F(ParameterDownloadTest, RefusalsBeforeAnyDataFrame) {
  EXPECT_FALSE(Download(Items(1, 1)));
  EXPECT_FALSE(Download(Items(160, 1023, 2)));  // 327,360 bytes: more than the block holds
  EXPECT_TRUE(Pack(Items(160, 1023, 2)).block.size() <= kParameterBlockCapacity);
  printer.itemsNeeded = 7;
  EXPECT_FALSE(Download(Items(5, 1)));
  EXPECT_EQ(
      frontEnd.boxes(),
      (std::vector<std::string>{"Error: Sorry,no item.", "Error: The parameter data is too large.",
                                "INI Item Error: The firmware need 7 items but this ini file "
                                "only have 5 itmes,please change the ini file and try again!"}));
  EXPECT_EQ(printer.written().size(), 1u);  // the clock frame only
}

TEST_F(ParameterDownloadTest, FirmwareWordSetsLevelAndSeparator) {
  printer.escapeSelector = 1;
  ASSERT_TRUE(Download(Items(2, 1)));
  EXPECT_EQ(encoding.separatorCode, TextEncoding::kNetSeparator);
  job.netprinter = 1;  // only net printers take the selector
  printer.escapeSelector = 0;
  ASSERT_TRUE(Download(Items(2, 1)));
  EXPECT_EQ(encoding.separatorCode, TextEncoding::kNetSeparator);
  printer.itemsNeeded = 0xFF;  // says nothing: the default level stays
  printer.firmwareLevel = 1;
  ASSERT_TRUE(Download(Items(2, 1)));
  EXPECT_EQ(job.firmwareLevel, kDefaultFirmwareLevel);
}

TEST_F(ParameterDownloadTest, ClockFrameGoesOutOnceMoreWhenItFails) {
  printer.answer = [](const Frame& frame, int number) {
    return number == 1 ? std::vector<Reply>{} : std::vector<Reply>{testing::Ack(frame, 2, 2)};
  };
  ASSERT_TRUE(Download(Items(2, 1)));
  EXPECT_EQ(printer.written()[0], printer.written()[1]);
  printer.answer = [](const Frame&, int) { return std::vector<Reply>{}; };
  EXPECT_FALSE(Download(Items(2, 1)));
  EXPECT_EQ(printer.written().size(), 4u + 2);
}

TEST_F(ParameterDownloadTest, FileOnlyRecordsEverythingButTheClockFrame) {
  job.fileOnly = true;
  job.saveIniData = true;
  job.outputPath = dir.write("out.bin", "");
  printer.itemsNeeded = 9;  // never asked
  ASSERT_TRUE(Download(Items(2, 1)));
  Frame expected = BuildFrame(4, 92, 0, Bytes{'x', 10, 13, 10, 13, 'x', 10, 13, 10, 13}, false);
  const Frame end = BuildFrame(5, 0, 0, Bytes{0xAA, 0x55, 0x55, 0xAA}, false);
  expected.insert(expected.end(), end.begin(), end.end());
  EXPECT_EQ(testing::ReadBytes(job.outputPath), std::string(expected.begin(), expected.end()));
  EXPECT_TRUE(printer.written().empty());
}

}  // namespace
}  // namespace trel
