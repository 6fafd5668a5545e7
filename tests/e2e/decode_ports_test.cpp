// `trel decode` reads recordings back frame by frame; `trel ports` lists what the scan sees.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "e2e/job_files.h"
#include "e2e/trel_process.h"
#include "support/fake_sysfs.h"
#include "support/temp_dir.h"
#include "update/frame.h"
#include "update/keyword_payloads.h"

namespace trel::testing {
namespace {

// A data frame, a keyword header, a translation source, a closing frame: 16 + 13 + 15 + 9 bytes.
std::string SampleRecording() {
  const std::vector<std::uint8_t> data = {0x41, 0x0A, 0x0D, 0x0A, 0x0D, 0x42, 0x0A, 0x0D};
  return Concatenated(
      {BuildFrame(4, kCommandParameterData, 0, data, false),
       BuildFrame(5, kCommandKeyword, kKeywordHeader, {{0x13, 0x15, 0, 2, 0}}, false),
       BuildFrame(6, kCommandKeyword, kKeywordTranslationSource, {{2, 11, 0, 3, 'a', '"', 'b'}},
                  false),
       BuildClosingFrame(7, kClosingCodeExtraFile, 1, false)});
}

TEST(Decode, ExplainsEveryFrameOfARecording) {
  TempDir dir;
  const TrelRun run = RunTrel({"decode", dir.write("rec.bin", SampleRecording()).string()});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(Has(run.out, "0: seq 4 cmd 92 arg 0 payload[8] 41 0a 0d 0a 0d 42 0a 0d")) << run.out;
  EXPECT_TRUE(Has(run.out, "parameter data frame 0, 8 bytes"));
  EXPECT_TRUE(Has(run.out, "keyword header: 3 first-level keys, keyword files 2"));
  EXPECT_TRUE(Has(run.out, "translation source 11: list 2 row 0 text \"a\\\"b\""));
  EXPECT_TRUE(Has(run.out, "44: seq 7 cmd 83 arg 22 payload[1] 01"));
  EXPECT_TRUE(Has(run.out, "end of extra keyword file, file index 1"));
  EXPECT_EQ(CountOf(run.out, " good"), 4);
  EXPECT_TRUE(Has(run.out, "4 frames"));
}

TEST(Decode, BadChecksumIsShownButIsNoMalformedRecording) {
  TempDir dir;
  std::string recording = SampleRecording();
  recording[13] = static_cast<char>(recording[13] + 1);  // the first frame's checksum
  const TrelRun run = RunTrel({"decode", dir.write("rec.bin", recording).string()});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(Has(run.out, "bad (expected")) << run.out;
}

TEST(Decode, KeywordFieldsPastTheirPayloadAreNotRead) {
  TempDir dir;
  // A first-level key announcing five key bytes with one left, and a header of two bytes.
  const std::string recording = Concatenated(
      {BuildFrame(4, kCommandKeyword, kKeywordFirstLevel, {{0, 1, 0, 0, 0, 0, 5, 0, 'a'}}, false),
       BuildFrame(5, kCommandKeyword, kKeywordHeader, {{0x11, 0x15}}, false)});
  const TrelRun run = RunTrel({"decode", dir.write("rec.bin", recording).string()});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(CountOf(run.out, "(payload cut short)"), 2) << run.out;
}

TEST(Decode, AFileThatCannotBeReadFailsAndSaysWhich) {
  TempDir dir;
  for (const std::filesystem::path& unreadable : {dir / "missing.bin", dir.path()}) {
    const TrelRun run = RunTrel({"decode", unreadable.string()});
    EXPECT_NE(run.exitCode, 0) << unreadable;
    EXPECT_TRUE(Has(run.err, unreadable.string())) << run.err;
    EXPECT_EQ(run.out, "");
  }
}

struct Malformed {
  const char* name;
  std::size_t keep;    // bytes of the sample kept
  std::string append;  // bytes added after them
  std::size_t offset;  // where the walk stops
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const Malformed& malformed, std::ostream* out) {
  *out << malformed.name;
}

class DecodeMalformed : public ::testing::TestWithParam<Malformed> {};

TEST_P(DecodeMalformed, StopsWithTheOffsetAndStatusOne) {
  const Malformed& bad = GetParam();
  TempDir dir;
  const std::string recording = SampleRecording().substr(0, bad.keep) + bad.append;
  const TrelRun run = RunTrel({"decode", dir.write("rec.bin", recording).string()});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(Has(run.err, "malformed recording at offset " + std::to_string(bad.offset)))
      << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeMalformed,
    ::testing::Values(Malformed{"StrayByteAfterFrames", 53, "\x01", 53},
                      Malformed{"CutInsideAFrame", 52, "", 44},
                      Malformed{"CutInsideTheHeader", 3, "", 0},
                      Malformed{"WrongEndByte", 15, std::string(1, '\0'), 15},
                      // A length byte of 0 announces 255 payload bytes that are not there.
                      Malformed{"LengthPastTheEnd", 16, std::string("\xfe\x00\x01\x02\x03", 5),
                                16}),
    [](const ::testing::TestParamInfo<Malformed>& info) { return info.param.name; });

std::string LineWith(const std::string& text, const std::string& part) {
  const std::size_t at = text.find(part);
  if (at == std::string::npos) {
    return {};
  }
  const std::size_t start = text.rfind('\n', at) + 1;  // npos + 1 is 0
  return text.substr(start, text.find('\n', at) - start);
}

TEST(Ports, ListsEveryPortAndWhetherTheScanReportsIt) {
  TempDir dir;
  FakeSysfs sysfs(dir.path());
  sysfs.addUsbPort({.ttyName = "ttyUSB0",
                    .driver = "pl2303",
                    .vendorId = "067b",
                    .productId = "2303",
                    .product = "",
                    .interfaceNumber = 0,
                    .usbDevice = ""},
                   "A10K3Z7Q");
  sysfs.addUsbPort({.ttyName = "ttyUSB1",
                    .driver = "ftdi_sio",
                    .vendorId = "0403",
                    .productId = "6001",
                    .product = "FT232R USB UART",
                    .interfaceNumber = 0,
                    .usbDevice = ""});
  sysfs.addBoardPort("ttyS0");
  const TrelRun run =
      TrelProcess(std::vector<std::string>{"ports"}, {"TREL_SYSFS_ROOT=" + dir.path().string()})
          .finish();
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(Has(run.out, "067b:2303  A10K3Z7Q  ")) << run.out;
  EXPECT_TRUE(
      Has(LineWith(run.out, "Prolific USB-to-Serial Comm Port (ttyUSB0)"), "reported as ttyusb0"));
  // Not a known adapter: the scan passes it over.
  EXPECT_TRUE(Has(LineWith(run.out, "FT232R USB UART (ttyUSB1)"), "not reported"));
  EXPECT_TRUE(Has(run.out, "/dev/ttyS0"));
}

}  // namespace
}  // namespace trel::testing
