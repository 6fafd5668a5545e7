#include "update/keyword_download.h"

#include <gtest/gtest.h>

#include <string_view>

#include "update/job_bench.h"

namespace trel {
namespace {

using Bytes = std::vector<std::uint8_t>;

void SetText(auto& field, std::string_view text) {
  SetFieldText(field, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

class KeywordDownloadTest : public ::testing::Test, public testing::JobBench {
 protected:
  KeywordDownloadTest() { tables.block.secondKeys = {}; }

  std::vector<KeywordPayload> Payloads(int firstCount, int transCount1, int transCount2) {
    tables.firstCount = firstCount;
    tables.transCount1 = transCount1;
    tables.transCount2 = transCount2;
    return BuildKeywordPayloads(tables, 3);
  }
};

TEST_F(KeywordDownloadTest, HeaderFirstLevelAndTranslationBytes) {
  tables.block.firstKeys[0] = {};
  FirstKeyRow& row = tables.block.firstKeys[1];
  row = {{}, {}, 1, 2, 3, 0x31, 4};
  SetText(row.key, "#");
  SetText(row.content, "\rTotal:");
  const std::vector<KeywordPayload> payloads = Payloads(2, 7, 14);
  ASSERT_EQ(payloads.size(), 1u + 2 + 21 + 21);
  EXPECT_EQ(payloads[0].bytes, (Bytes{0x12, 0x15, 0, 3, 0}));
  EXPECT_EQ(payloads[1].bytes, Bytes(8, 0));  // an empty row still sends its 8 bytes
  EXPECT_EQ(payloads[2].bytes,
            (Bytes{1, 1, 2, 3, 0x31, 4, 1, 7, '#', '\r', 'T', 'o', 't', 'a', 'l', ':'}));
  EXPECT_EQ(payloads[3].bytes, (Bytes{1, 0, 0, 1, '1'}));        // list 1, row 0: "1"
  EXPECT_EQ(payloads[10].bytes, (Bytes{2, 7, 0, 2, '1', '4'}));  // list 2 numbered on from 7
  EXPECT_EQ(payloads[24].bytes, (Bytes{0, 8, 'D', 'e', 'l', 'i', 'v', 'e', 'r', 'y'}));
  EXPECT_EQ(payloads[44].type, kKeywordTranslationText);
}

TEST_F(KeywordDownloadTest, SecondLevelGroupsGoByContentUpToTheirFirstEmptyKey) {
  auto& groups = tables.block.secondKeys;
  SetText(groups[0][1].key, ",");  // entry 0 empty: nothing of group 0
  SetText(groups[2][0].key, ";");
  SetText(groups[2][1].key, ",,");
  SetText(groups[2][1].content, "X");
  groups[2][1].option1 = 5;
  SetText(groups[2][3].key, ";");  // after the empty entry 2: not sent
  const std::vector<KeywordPayload> payloads = Payloads(0, 0, 0);
  ASSERT_EQ(payloads.size(), 3u);
  EXPECT_EQ(payloads[2].bytes, (Bytes{2, 1, 5, 0, 0, 2, 1, ',', ',', 'X'}));
  EXPECT_EQ(Payloads(15, 40, 40).size(), 1u + 8 + 2 + 11 + 21 + 31);  // counts kept in the tables
}

TEST_F(KeywordDownloadTest, SendsEveryFrameAndClosesWithTheFileIndex) {
  Payloads(3, 7, 14);
  job.sequence = 250;  // wraps through 3, whose reply carries no word for a keyword frame
  job.keywordFileIndex = 2;
  FrameExchange exchange(printer, replies, Settings());
  ASSERT_TRUE(DownloadKeywords(tables, "extra.xml", job, exchange, kClosingCodeExtraFile));
  ASSERT_EQ(printer.written().size(), 47u);
  EXPECT_EQ(printer.written().back(), (Bytes{0xFE, 0x02, 40, 83, 22, 2, 147, 0xFF, 0xFF}));

  printer.answer = [](const Frame& frame, int number) {
    return std::vector<Reply>{testing::Ack(frame, number == 50 ? 3 : 0)};
  };
  EXPECT_FALSE(DownloadKeywords(tables, "main.xml", job, exchange, kClosingCodeMainFile));
  EXPECT_EQ(printer.written().size(), 50u);  // stopped at the refused frame
}

}  // namespace
}  // namespace trel
