#include "update/keyword_payloads.h"

#include <algorithm>

#include "tables/keyword_tables.h"

namespace trel {
namespace {

// The header's fixed bytes: bit 4 marks the first-level count, 21 is the table layout the tool
// sends.
constexpr std::uint8_t kHeaderCountMark = 0x10;
constexpr std::uint8_t kHeaderLayout = 0x15;
constexpr std::uint8_t kTranslationList1 = 1;
constexpr std::uint8_t kTranslationList2 = 2;

using Bytes = std::vector<std::uint8_t>;

std::uint8_t Byte(int value) {
  return static_cast<std::uint8_t>(value);
}

void AppendText(Bytes& bytes, std::span<const std::uint8_t> text) {
  bytes.insert(bytes.end(), text.begin(), text.end());
}

// Rows to send of a table: the count, kept within the table.
int RowsToSend(std::int32_t count, int rows) {
  return std::clamp<int>(count, 0, rows);
}

KeywordPayload Header(const KeywordTables& tables, int keywordFileCount) {
  return {
      kKeywordHeader,
      {Byte(tables.firstCount | kHeaderCountMark), kHeaderLayout, 0, Byte(keywordFileCount), 0}};
}

KeywordPayload FirstLevel(const FirstKeyRow& row, int index) {
  const auto key = FieldText(row.key);
  const auto content = FieldText(row.content);
  Bytes bytes{Byte(index), row.hasSecond,   row.option1,      row.option2,
              row.flags,   row.secondCount, Byte(key.size()), Byte(content.size())};
  AppendText(bytes, key);
  AppendText(bytes, content);
  return {kKeywordFirstLevel, std::move(bytes)};
}

KeywordPayload SecondLevel(const SecondKeyRow& row, int group, int entry) {
  const auto key = FieldText(row.key);
  const auto content = FieldText(row.content);
  Bytes bytes{Byte(group), Byte(entry),      row.option1,         row.option2,
              row.flags,   Byte(key.size()), Byte(content.size())};
  AppendText(bytes, key);
  AppendText(bytes, content);
  return {kKeywordSecondLevel, std::move(bytes)};
}

// A group is sent when its entry 0 has a key, up to its first entry without one, whatever the
// counts of the first-level rows say.
void AppendSecondLevel(const PrintFormatBlock& block, std::vector<KeywordPayload>& payloads) {
  for (int group = 0; group < kSecondKeyGroups; ++group) {
    const auto& entries = block.secondKeys[group];
    for (int entry = 0; entry < kSecondKeysPerGroup && !FieldText(entries[entry].key).empty();
         ++entry) {
      payloads.push_back(SecondLevel(entries[entry], group, entry));
    }
  }
}

template <std::size_t Rows>
void AppendSources(const std::array<TransKeyField, Rows>& sources, int count, std::uint8_t list,
                   int& number, std::vector<KeywordPayload>& payloads) {
  for (int row = 0; row < count; ++row, ++number) {
    const auto source = FieldText(sources[row]);
    Bytes bytes{list, Byte(number), Byte(row), Byte(source.size())};
    AppendText(bytes, source);
    payloads.push_back({kKeywordTranslationSource, std::move(bytes)});
  }
}

void AppendTranslationTexts(const PrintFormatBlock& block, int count,
                            std::vector<KeywordPayload>& payloads) {
  for (int row = 0; row < count; ++row) {
    const auto text = FieldText(block.transTexts[row]);
    Bytes bytes{Byte(row), Byte(text.size())};
    AppendText(bytes, text);
    payloads.push_back({kKeywordTranslationText, std::move(bytes)});
  }
}

}  // namespace

std::vector<KeywordPayload> BuildKeywordPayloads(const KeywordTables& tables,
                                                 int keywordFileCount) {
  const PrintFormatBlock& block = tables.block;
  const int firstRows = RowsToSend(tables.firstCount, kFirstKeyRows);
  const int sources1 = RowsToSend(tables.transCount1, kTransKeys1Rows);
  const int sources2 = RowsToSend(tables.transCount2, kTransKeys2Rows);
  const int texts = std::min(sources1 + sources2, kTransTextRows);

  std::vector<KeywordPayload> payloads{Header(tables, keywordFileCount)};
  for (int row = 0; row < firstRows; ++row) {
    payloads.push_back(FirstLevel(block.firstKeys[row], row));
  }
  AppendSecondLevel(block, payloads);
  int number = 0;
  AppendSources(block.transKeys1, sources1, kTranslationList1, number, payloads);
  AppendSources(block.transKeys2, sources2, kTranslationList2, number, payloads);
  AppendTranslationTexts(block, texts, payloads);
  return payloads;
}

}  // namespace trel
