#include "tables/keyword_element_model.h"

#include <algorithm>

#include "platform/private_profile.h"
#include "platform/utf_convert.h"

namespace trel {

namespace {

// Texts of the XML form are encoded through a 1,024-byte buffer and then cut to their fields.
constexpr std::size_t kXmlTextLimit = 1024;

constexpr int kFirstTranslationGroup = 9;
constexpr int kLastTranslationGroup = 11;
constexpr std::array<std::size_t, 2> kTranslationCapacity = {kTransKeys1Rows, kTransKeys2Rows};

std::u16string Value(const XmlElementRecord& element, std::size_t index) {
  return index < element.values.size() ? element.values[index] : std::u16string();
}

KeywordSlot SlotFrom(const XmlElementRecord& element) {
  KeywordSlot slot;
  slot.key = Value(element, 0);
  slot.content = Value(element, 1);
  for (std::size_t n = 0; n < slot.numbers.size(); ++n) {
    slot.numbers[n] = ProfileNumber(Value(element, n + 2));
  }
  return slot;
}

template <std::size_t N>
void SetEncoded(TextField<N>& field, const std::u16string& text, const TextEncoding& encoding) {
  const std::string bytes = encoding.EncodedBytes(text, kXmlTextLimit);
  SetFieldText(field, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

std::uint8_t FlagsOf(const KeywordSlot& slot) {
  return static_cast<std::uint8_t>(((slot.switchBit1() & 1) << 1) | (slot.switchBit0() & 1) |
                                   (slot.groupLink() << 4));
}

template <typename Row>
void PackKey(Row& row, const KeywordSlot& slot, const TextEncoding& encoding) {
  SetEncoded(row.key, slot.key, encoding);
  SetEncoded(row.content, slot.content, encoding);
  row.option1 = static_cast<std::uint8_t>(slot.option1());
  row.option2 = static_cast<std::uint8_t>(slot.option2());
  row.flags = FlagsOf(slot);
}

}  // namespace

void KeywordElementModel::CopyFrom(const std::vector<XmlElementRecord>& elements) {
  first_ = {};
  second_ = {};
  lists_ = {};
  for (const XmlElementRecord& element : elements) {
    Store(element);
  }
}

// Ids 0..7 are first-level rows. From 16 on, bits 4-7 name a group (1..8 second-level keys, with
// bits 0-3 the entry 0..9; 9 the first translation list; 10 and 11 the second) and higher bits do
// not count. Every other id names nothing.
void KeywordElementModel::Store(const XmlElementRecord& element) {
  const std::int32_t id = ProfileNumber(Utf8ToUtf16(element.id));
  if (id < 0) {
    return;
  }
  if (id < kFirstKeyRows) {
    first_[id] = SlotFrom(element);
    return;
  }
  const int group = (id >> 4) & 0x0F;
  const int entry = id & 0x0F;
  if (group >= 1 && group <= kSecondKeyGroups) {
    if (entry < kSecondKeysPerGroup) {
      second_[group - 1][entry] = SlotFrom(element);
    }
    return;
  }
  if (group < kFirstTranslationGroup || group > kLastTranslationGroup) {
    return;
  }
  const std::u16string source = Value(element, 0);
  const std::u16string translation = Value(element, 1);
  const std::size_t list = group == kFirstTranslationGroup ? 0 : 1;
  // An entry that finds its list full is dropped whole, so it cannot change a kept row's text.
  if (source.empty() || translation.empty() ||
      lists_[list].sources.size() >= kTranslationCapacity[list]) {
    return;
  }
  lists_[list].sources.push_back(source);
  lists_[list].translations[source] = translation;
}

void KeywordElementModel::Pack(KeywordTables& tables, int firstRows,
                               const TextEncoding& encoding) const {
  tables.block = PrintFormatBlock{};
  const int rows = std::clamp(firstRows, 0, kFirstKeyRows);
  if (rows == 0) {
    return;
  }
  for (int r = 0; r < rows; ++r) {
    PackKey(tables.block.firstKeys[r], first_[r], encoding);
    PackGroup(tables.block, first_[r], true, encoding);
  }
  PackTranslations(tables, encoding);
}

// A key opens group g (1..8) with c keys; a key packed into that group may open one more group,
// and links go no deeper than that.
void KeywordElementModel::PackGroup(PrintFormatBlock& block, const KeywordSlot& opener,
                                    bool followLinks, const TextEncoding& encoding) const {
  const int group = opener.groupLink();
  if (group < 1 || group > kSecondKeyGroups || opener.secondCount() <= 0) {
    return;
  }
  const int count = std::min(opener.secondCount(), kSecondKeysPerGroup);
  block.firstKeys[group - 1].hasSecond = 1;
  block.firstKeys[group - 1].secondCount = static_cast<std::uint8_t>(count);
  for (int k = 0; k < count; ++k) {
    const KeywordSlot& slot = second_[group - 1][k];
    PackKey(block.secondKeys[group - 1][k], slot, encoding);
    if (followLinks) {
      PackGroup(block, slot, false, encoding);
    }
  }
}

// Texts are numbered over both lists; list 2 gets what is left of the 31 text rows.
void KeywordElementModel::PackTranslations(KeywordTables& tables,
                                           const TextEncoding& encoding) const {
  const std::array<std::size_t, 2> counts = {
      lists_[0].sources.size(),
      std::min(lists_[1].sources.size(), kTransTextRows - lists_[0].sources.size())};
  std::size_t text = 0;
  for (std::size_t list = 0; list < 2; ++list) {
    for (std::size_t row = 0; row < counts[list]; ++row) {
      const std::u16string& source = lists_[list].sources[row];
      SetEncoded(list == 0 ? tables.block.transKeys1[row] : tables.block.transKeys2[row], source,
                 encoding);
      SetEncoded(tables.block.transTexts[text++], lists_[list].translations.at(source), encoding);
    }
  }
  tables.transCount1 = static_cast<std::int32_t>(counts[0]);
  tables.transCount2 = static_cast<std::int32_t>(counts[1]);
}

}  // namespace trel
