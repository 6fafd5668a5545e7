#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tables/keyword_tables.h"
#include "tables/keyword_xml_records.h"
#include "tables/text_encoding.h"

namespace trel {

// One key slot: its texts as written (escapes not yet expanded) and element values 2 to 8.
struct KeywordSlot {
  std::u16string key;
  std::u16string content;
  std::array<std::int32_t, 7> numbers{};

  std::int32_t secondCount() const { return numbers[0]; }  // value 2
  std::int32_t option1() const { return numbers[1]; }      // value 3
  std::int32_t option2() const { return numbers[2]; }      // value 4
  std::int32_t switchBit1() const { return numbers[3]; }   // value 5
  std::int32_t switchBit0() const { return numbers[4]; }   // value 6
  std::int32_t groupLink() const { return numbers[5]; }    // value 7
};

// Sources in order of appearance; each maps to the translation given last for that source.
struct TranslationList {
  std::vector<std::u16string> sources;
  std::map<std::u16string, std::u16string> translations;
};

// What an accepted XML keyword file said, slot by slot. It outlives a refused file, so the block
// can be rebuilt from the last accepted one.
class KeywordElementModel {
 public:
  // Empties the model and fills it from the records; a later element with the same id wins.
  void CopyFrom(const std::vector<XmlElementRecord>& elements);

  // Rebuilds the whole block from the model for `firstRows` first-level rows (0 leaves the block
  // zero and the translation counts as they were).
  void Pack(KeywordTables& tables, int firstRows, const TextEncoding& encoding) const;

  const KeywordSlot& firstSlot(int row) const { return first_[row]; }
  const KeywordSlot& secondSlot(int group, int entry) const { return second_[group - 1][entry]; }
  const TranslationList& translations(int list) const { return lists_[list - 1]; }

 private:
  void Store(const XmlElementRecord& element);
  void PackGroup(PrintFormatBlock& block, const KeywordSlot& opener, bool followLinks,
                 const TextEncoding& encoding) const;
  void PackTranslations(KeywordTables& tables, const TextEncoding& encoding) const;

  std::array<KeywordSlot, kFirstKeyRows> first_{};
  std::array<std::array<KeywordSlot, kSecondKeysPerGroup>, kSecondKeyGroups> second_{};
  std::array<TranslationList, 2> lists_{};
};

}  // namespace trel
