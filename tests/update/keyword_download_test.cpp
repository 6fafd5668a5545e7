#include "update/keyword_download.h"

#include <gtest/gtest.h>

#include <string_view>

#include "tables/keyword_tables.h"
#include "update/exchange.h"
#include "update/fake_printer.h"
#include "update/update_job.h"

namespace trel {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::span<const std::uint8_t> Text(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Tables whose second-level groups are all empty.
KeywordTables TablesWithoutSecondLevel(int firstCount, int transCount1, int transCount2) {
  KeywordTables tables;
  tables.block.secondKeys = {};
  tables.firstCount = firstCount;
  tables.transCount1 = transCount1;
  tables.transCount2 = transCount2;
  return tables;
}

int CountOfType(const std::vector<KeywordPayload>& payloads, std::uint8_t type) {
  return static_cast<int>(
      std::count_if(payloads.begin(), payloads.end(),
                    [type](const KeywordPayload& p) { return p.type == type; }));
}

TEST(KeywordPayloads, HeaderAndFirstLevelRowBytes) {
  KeywordTables tables = TablesWithoutSecondLevel(2, 0, 0);
  FirstKeyRow& row = tables.block.firstKeys[1];
  SetFieldText(row.key, Text("#"));
  SetFieldText(row.content, Text("\rTotal:"));
  row = {row.key, row.content, 1, 2, 3, 0x31, 4};
  tables.block.firstKeys[0] = {};

  const std::vector<KeywordPayload> payloads = BuildKeywordPayloads(tables, 3);
  ASSERT_EQ(payloads.size(), 3u);
  EXPECT_EQ(payloads[0].bytes, (Bytes{0x12, 0x15, 0, 3, 0}));
  EXPECT_EQ(payloads[1].bytes, (Bytes{0, 0, 0, 0, 0, 0, 0, 0}));  // an empty row still sends 8
  EXPECT_EQ(payloads[2].bytes,
            (Bytes{1, 1, 2, 3, 0x31, 4, 1, 7, '#', '\r', 'T', 'o', 't', 'a', 'l', ':'}));
  EXPECT_EQ(payloads[2].type, kKeywordFirstLevel);
}

TEST(KeywordPayloads, SecondLevelGroupsGoByContentUpToTheirFirstEmptyKey) {
  KeywordTables tables = TablesWithoutSecondLevel(0, 0, 0);
  auto& groups = tables.block.secondKeys;
  SetFieldText(groups[0][1].key, Text(","));  // entry 0 empty: the group sends nothing
  SetFieldText(groups[2][0].key, Text(";"));
  SetFieldText(groups[2][1].key, Text(",,"));
  SetFieldText(groups[2][1].content, Text("X"));
  groups[2][1].option1 = 5;
  SetFieldText(groups[2][3].key, Text(";"));  // after the empty entry 2: not sent
  SetFieldText(groups[7][0].key, Text("*"));

  const std::vector<KeywordPayload> payloads = BuildKeywordPayloads(tables, 1);
  ASSERT_EQ(CountOfType(payloads, kKeywordSecondLevel), 3);
  EXPECT_EQ(payloads[2].bytes, (Bytes{2, 1, 5, 0, 0, 2, 1, ',', ',', 'X'}));
  EXPECT_EQ(payloads[3].bytes, (Bytes{7, 0, 0, 0, 0, 1, 0, '*'}));
}

TEST(KeywordPayloads, TranslationSourcesAreNumberedOverBothLists) {
  const KeywordTables tables = TablesWithoutSecondLevel(0, 7, 14);
  const std::vector<KeywordPayload> payloads = BuildKeywordPayloads(tables, 1);
  ASSERT_EQ(payloads.size(), 1u + 21 + 21);
  EXPECT_EQ(payloads[1].bytes, (Bytes{1, 0, 0, 1, '1'}));
  EXPECT_EQ(payloads[8].bytes, (Bytes{2, 7, 0, 2, '1', '4'}));  // default list 2 row 0 is "14"
  EXPECT_EQ(payloads[22].bytes, (Bytes{0, 8, 'D', 'e', 'l', 'i', 'v', 'e', 'r', 'y'}));
  EXPECT_EQ(payloads[42].type, kKeywordTranslationText);
  EXPECT_EQ(payloads[42].bytes[0], 20);
}

TEST(KeywordPayloads, CountsBeyondTheTablesAreKeptWithinThem) {
  const KeywordTables tables = TablesWithoutSecondLevel(15, 40, 40);
  const std::vector<KeywordPayload> payloads = BuildKeywordPayloads(tables, 1);
  EXPECT_EQ(CountOfType(payloads, kKeywordFirstLevel), 8);
  EXPECT_EQ(CountOfType(payloads, kKeywordTranslationSource), 11 + 21);
  EXPECT_EQ(CountOfType(payloads, kKeywordTranslationText), 31);
}

class KeywordDownloadTest : public ::testing::Test {
 protected:
  KeywordDownloadTest() { printer.SerialOpen("ttyUSB0"); }

  bool Download(const KeywordTables& tables, std::uint8_t closingCode) {
    ExchangeSettings settings;
    settings.replyWait = std::chrono::milliseconds(30);
    FrameExchange exchange(printer, replies, settings);
    return DownloadKeywords(tables, job, exchange, closingCode);
  }

  testing::RecordedMessages messages;
  ReplyChannel replies{messages};
  testing::FakePrinter printer{replies};
  UpdateJob job;
};

TEST_F(KeywordDownloadTest, SendsEveryRowThenTheClosingFrame) {
  // The counter wraps through 255 and past 3, whose reply carries no word for a keyword frame;
  // the closing frame gets sequence 40.
  job.sequence = 250;
  job.keywordFileIndex = 2;
  ASSERT_TRUE(Download(TablesWithoutSecondLevel(3, 7, 14), kClosingCodeExtraFile));
  const std::vector<Frame> frames = printer.written();
  ASSERT_EQ(frames.size(), 47u);
  EXPECT_EQ(frames.back(), (Bytes{0xFE, 0x02, 40, 83, 22, 2, 147, 0xFF, 0xFF}));
  EXPECT_EQ(job.sequence, 41);
}

TEST_F(KeywordDownloadTest, StopsAtTheFirstRefusedFrame) {
  printer.answer = [](const Frame& frame, int number) {
    return std::vector<Reply>{testing::Ack(frame, number == 3 ? 3 : 0)};
  };
  EXPECT_FALSE(Download(TablesWithoutSecondLevel(3, 7, 14), kClosingCodeMainFile));
  EXPECT_EQ(printer.written().size(), 3u);
}

}  // namespace
}  // namespace trel
