// `trel record` writes exactly the frames a send would write, in order, and nothing else.
#include <gtest/gtest.h>

#include "e2e/job_files.h"
#include "e2e/trel_process.h"
#include "support/temp_dir.h"
#include "tables/keyword_tables.h"
#include "update/frame.h"
#include "update/keyword_payloads.h"

namespace trel::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kEndMarker = {0xAA, 0x55, 0x55, 0xAA};
const Bytes kSeparator = {0x0A, 0x0D, 0x0A, 0x0D};

Bytes Joined(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) {
    all.insert(all.end(), part.begin(), part.end());
  }
  return all;
}

TrelRun Record(const TempDir& dir, std::vector<std::string> extra) {
  std::vector<std::string> arguments{"record", "--out", (dir / "out.bin").string(), "--params",
                                     (dir / "params.ini").string()};
  arguments.insert(arguments.end(), extra.begin(), extra.end());
  return RunTrel(arguments);
}

TEST(RecordGolden, ParameterBlockAndEndFrameWithoutTheClockFrame) {
  TempDir dir;
  dir.write("params.ini", ParamList({{1, "A"}, {0, "1B40"}}));
  const TrelRun run = Record(dir, {});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  // Nothing was sent: the outcome says what the file holds.
  const std::string out = (dir / "out.bin").string();
  EXPECT_TRUE(Has(run.err, "\nRecorded 2 frames (" + std::to_string(ReadBytes(out).size()) +
                               " bytes) to " + out + ".\n"))
      << run.err;

  // The clock frame takes sequence 3 but is never recorded.
  const Bytes block = Joined({{0x41}, kSeparator, {0x1B, 0x40}, kSeparator});
  EXPECT_EQ(ReadBytes(dir / "out.bin"),
            Concatenated({BuildFrame(4, kCommandParameterData, 0, block, false),
                          BuildFrame(5, kCommandParameterEnd, 0, kEndMarker, false)}));
}

TEST(RecordGolden, BlanksKeptByQuotesInTheListAreLostWhenTheTableStoresIt) {
  TempDir dir;
  // The import's table store writes " A " as given, which reads back as "A"; "\a" keeps a blank.
  dir.write("params.ini", ParamList({{1, "\" A \""}, {3, "\\aB"}}));
  ASSERT_EQ(Record(dir, {}).exitCode, 0);
  const Bytes block = Joined({{'A'}, kSeparator, {' ', 'B'}, kSeparator});
  EXPECT_EQ(ReadBytes(dir / "out.bin"),
            Concatenated({BuildFrame(4, kCommandParameterData, 0, block, false),
                          BuildFrame(5, kCommandParameterEnd, 0, kEndMarker, false)}));
}

TEST(RecordGolden, RebootSequenceAndABlockOverOneHundredBytes) {
  TempDir dir;
  dir.write("params.ini", ParamList({{1, std::string(96, 'x')}, {1, "Z"}}));
  const TrelRun run = Record(dir, {"--reboot"});
  ASSERT_EQ(run.exitCode, 0) << run.err;

  const Bytes block = Joined({Bytes(96, 'x'), kSeparator, {'Z'}, kSeparator});
  const std::span<const std::uint8_t> all(block);
  // Counter value 4 goes out as sequence 20 while rebooting; the counter itself goes on to 5.
  EXPECT_EQ(ReadBytes(dir / "out.bin"),
            Concatenated({BuildFrame(4, kCommandParameterData, 0, all.first(100), true),
                          BuildFrame(5, kCommandParameterData, 1, all.subspan(100), true),
                          BuildFrame(6, kCommandParameterEnd, 0, kEndMarker, true)}));
  EXPECT_EQ(ReadBytes(dir / "out.bin")[2], 20);
}

TEST(RecordGolden, ExtraKeywordFilesKeepTheirSlotsAndIndices) {
  TempDir dir;
  dir.write("params.ini", ParamList({{1, "A"}, {1, "B"}}));
  // The main keyword file is of the INI form, so it is not sent; it still counts as a file.
  dir.write("main.ini", "[General]\r\nFirstKeyNum=1\r\n");
  dir.write("extra.ini",
            "[General]\r\nFirstKeyNum=2\r\n[KeyTrans1]\r\nKeyTrans=1\r\n1=ab\x02xy\r\n"
            "[KeyTrans2]\r\nKeyTrans=0\r\n");
  const TrelRun run = Record(
      dir, {"--keywords", (dir / "main.ini").string(), "--more-keywords", "extra.ini;;extra.ini;"});
  ASSERT_EQ(run.exitCode, 0) << run.err;

  const Bytes block = Joined({{'A'}, kSeparator, {'B'}, kSeparator});
  std::vector<Bytes> expected{BuildFrame(4, kCommandParameterData, 0, block, false),
                              BuildFrame(5, kCommandParameterEnd, 0, kEndMarker, false)};
  std::uint8_t counter = 6;
  // Four files in all: the main one and three slots, the second of them empty; the final ";"
  // adds no slot.
  const KeywordTables tables{.firstCount = 2, .transCount1 = 1, .transCount2 = 0};
  const std::vector<KeywordPayload> payloads = BuildKeywordPayloads(tables, 4);
  ASSERT_EQ(payloads.front().bytes, (Bytes{0x12, 0x15, 0, 4, 0}));
  for (const std::uint8_t fileIndex : {1, 3}) {
    for (const KeywordPayload& payload : payloads) {
      expected.push_back(
          BuildFrame(counter++, kCommandKeyword, payload.type, payload.bytes, false));
    }
    expected.push_back(BuildClosingFrame(counter++, kClosingCodeExtraFile, fileIndex, false));
  }
  EXPECT_EQ(ReadBytes(dir / "out.bin"), Concatenated(expected));
}

TEST(RecordGolden, NamesPastTheNinthExtraKeywordFileAreIgnored) {
  TempDir dir;
  dir.write("params.ini", ParamList({{1, "A"}, {1, "B"}}));
  dir.write("extra.ini", "[General]\r\nFirstKeyNum=1\r\n");
  std::string tenNames = "extra.ini";
  for (int name = 2; name <= 10; ++name) {
    tenNames += ";extra.ini";
  }
  const TrelRun run =
      Record(dir, {"--keywords", (dir / "extra.ini").string(), "--more-keywords", tenNames});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string recording = ReadBytes(dir / "out.bin");
  const auto closing = [](std::uint8_t fileIndex) {
    return Bytes{kCommandKeyword, kClosingCodeExtraFile, fileIndex};
  };
  EXPECT_TRUE(Contains(recording, closing(9)));
  EXPECT_FALSE(Contains(recording, closing(10)));
  // The main keyword file (not sent: it is of the INI form) and nine more, as every header says.
  EXPECT_EQ(CountOf(recording, std::string{0x11, 0x15, 0, 10, 0}), 9);
}

TEST(RecordGolden, KeywordFilesWithEmptyTagsEndInBoundedTime) {
  TempDir dir;
  dir.write("params.ini", ParamList({{1, "A"}, {1, "B"}}));
  for (const char* xml :
       {"<>", "<VORTELL><>", "<VORTELL><Elements base=\"17\"><></Elements></VORTELL>",
        "<VORTELL></><<>>", "<VORTELL><!--<>--></VORTELL><"}) {
    dir.write("keys.xml", xml);
    const TrelRun run =
        RunTrel({"record", "--out", (dir / "out.bin").string(), "--params",
                 (dir / "params.ini").string(), "--keywords", (dir / "keys.xml").string()},
                std::chrono::seconds(10));
    EXPECT_FALSE(run.timedOut) << xml;
    EXPECT_GE(run.exitCode, 0) << xml << run.err;
  }
}

TEST(RecordGolden, UnwritableOutputIsARefusedStart) {
  TempDir dir;
  dir.write("params.ini", ParamList({{1, "A"}, {1, "B"}}));
  const TrelRun run = RunTrel({"record", "--out", (dir / "missing" / "out.bin").string(),
                               "--params", (dir / "params.ini").string()});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(Has(run.err, "The file can't open"));
}

TEST(RecordGolden, EmptyOutputNameIsABadArgumentNotAPortFailure) {
  TempDir dir;
  const std::string params = (dir.write("params.ini", ParamList({{1, "A"}, {1, "B"}}))).string();
  const TrelRun record = RunTrel({"record", "--out", "", "--params", params});
  EXPECT_EQ(record.exitCode, 2);
  EXPECT_FALSE(Has(record.err, "Sorry,can't open the port"));
  const TrelRun send = RunTrel({"send", "--port", "x", "--record", "", "--params", params});
  EXPECT_EQ(send.exitCode, 2);
}

TEST(RecordGolden, OutputNamingAFileToSendIsRefusedAndTheFileKept) {
  TempDir dir;
  const std::string params = ParamList({{1, "A"}, {1, "B"}});
  const auto paramsFile = dir.write("params.ini", params);
  const TrelRun run = RunTrel(
      {"record", "--out", (dir / "." / "params.ini").string(), "--params", paramsFile.string()});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(Has(run.err, "The output file is one of the files to send.\n")) << run.err;
  EXPECT_EQ(ReadBytes(paramsFile), params);
}

TEST(RecordGolden, TooFewItemsFailsWithTheMessageBoxAndItsCauseButNoWordOfAPort) {
  TempDir dir;
  const auto paramsFile = dir.write("params.ini", ParamList({{1, "A"}}));
  const TrelRun run = Record(dir, {});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(Has(run.err, "Error: Sorry,no item.\n")) << run.err;
  EXPECT_TRUE(Has(run.err, paramsFile.string() + ": the list ends after 1 parameter item ("))
      << run.err;
  EXPECT_FALSE(Has(run.err, "port")) << run.err;
  EXPECT_EQ(ReadBytes(dir / "out.bin"), "");

  dir.write("params.ini", std::string("\x00\xFF\xFE\x01binary", 10));
  EXPECT_TRUE(Has(Record(dir, {}).err, "the list ends after 0 parameter items (")) << run.err;
}

}  // namespace
}  // namespace trel::testing
