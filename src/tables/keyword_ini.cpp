#include "tables/keyword_ini.h"

#include <algorithm>
#include <string>

#include "platform/private_profile.h"

namespace trel {

namespace {

// Texts of the per-entry keys go through a 48-byte field, translations through a 20-byte one.
constexpr std::size_t kKeyTextLimit = 48;
constexpr std::size_t kTranslationTextLimit = 20;
constexpr std::size_t kTranslationSourceChars = 5;
constexpr std::size_t kTranslationTextChars = 40;
constexpr char16_t kTranslationSeparator = 0x0002;

std::u16string Numbered(std::u16string_view name, int number) {
  const std::string digits = std::to_string(number);
  return std::u16string(name) + std::u16string(digits.begin(), digits.end());
}

class IniReader {
 public:
  IniReader(const std::filesystem::path& file, const TextEncoding& encoding)
      : document_(ProfileDocument::Load(file)), encoding_(encoding) {}

  std::u16string text(std::u16string_view section, std::u16string_view key) const {
    return document_.get(section, key, u"");
  }
  std::string encoded(std::u16string_view section, std::u16string_view key) const {
    return encoding_.EncodedBytes(text(section, key), kKeyTextLimit);
  }
  std::int32_t number(std::u16string_view section, std::u16string_view key) const {
    return ProfileNumber(document_.get(section, key, u"0"));
  }
  const TextEncoding& encoding() const { return encoding_; }

 private:
  ProfileDocument document_;
  const TextEncoding& encoding_;
};

IniSecondKey ReadSecondKey(const IniReader& ini, std::u16string_view section, int k) {
  IniSecondKey key;
  key.key = ini.encoded(section, Numbered(u"SndKey", k));
  key.content = ini.encoded(section, Numbered(u"SndCont", k));
  key.mode = ini.number(section, Numbered(u"SndMode", k));
  key.isId = ini.number(section, Numbered(u"SndIsID", k));
  key.isHide = ini.number(section, Numbered(u"SndIsHide", k));
  return key;
}

IniFirstKey ReadFirstKey(const IniReader& ini, int i) {
  constexpr std::u16string_view kFirst = u"First";
  IniFirstKey key;
  key.key = ini.encoded(kFirst, Numbered(u"FirstKey", i));
  key.content = ini.encoded(kFirst, Numbered(u"FirstCont", i));
  key.parse = ini.number(kFirst, Numbered(u"FirstParse", i));
  key.trans = ini.number(kFirst, Numbered(u"FirstTrans", i));
  key.isId = ini.number(kFirst, Numbered(u"FirstIsID", i));
  key.secondKeyCount = ini.number(kFirst, Numbered(u"SndKeyNum", i));
  key.isHide = ini.number(kFirst, Numbered(u"FirstIsHide", i));
  if (key.parse != 0) {
    // A group holds ten keys at most: a larger count must not run the read away.
    const int count = std::clamp(key.secondKeyCount, 0, kSecondKeysPerGroup);
    const std::u16string section = Numbered(u"Second", i);
    for (int k = 1; k <= count; ++k) {
      key.secondKeys.push_back(ReadSecondKey(ini, section, k));
    }
  }
  return key;
}

// An entry is the source, U+0002 and the translation; an entry without the separator is all
// source.
IniTranslation SplitTranslation(const std::u16string& entry, const TextEncoding& encoding) {
  const std::size_t separator = std::min(entry.find(kTranslationSeparator), entry.size());
  IniTranslation translation;
  for (std::size_t i = 0; i < std::min(separator, kTranslationSourceChars); ++i) {
    translation.source.push_back(static_cast<char>(entry[i] & 0xFF));
  }
  if (separator < entry.size()) {
    translation.text = encoding.EncodedBytes(entry.substr(separator + 1, kTranslationTextChars),
                                             kTranslationTextLimit);
  }
  return translation;
}

// Counts below 0 count as 0; larger ones are cut to the rows the block holds for the list.
std::array<std::int32_t, 2> BoundedTransCounts(std::int32_t list1, std::int32_t list2) {
  const std::int32_t first = std::clamp(list1, 0, kTransKeys1Rows);
  const std::int32_t second =
      std::clamp(list2, 0, std::min(kTransKeys2Rows, kTransTextRows - first));
  return {first, second};
}

std::vector<IniTranslation> ReadTranslations(const IniReader& ini, std::u16string_view section,
                                             int count) {
  std::vector<IniTranslation> entries;
  for (int n = 1; n <= count; ++n) {
    const std::u16string entry = ini.text(section, Numbered(u"", n));
    if (!entry.empty()) {
      entries.push_back(SplitTranslation(entry, ini.encoding()));
    }
  }
  return entries;
}

}  // namespace

std::optional<KeywordIniFile> ReadKeywordIni(const std::filesystem::path& file,
                                             const TextEncoding& encoding) {
  const IniReader ini(file, encoding);
  const std::int32_t firstCount = ini.number(u"General", u"FirstKeyNum") & 0x0F;
  if (firstCount < 1 || firstCount > kFirstKeyRows) {
    return std::nullopt;
  }
  KeywordIniFile read;
  read.firstCount = firstCount;
  for (int i = 1; i <= firstCount; ++i) {
    read.firstKeys.push_back(ReadFirstKey(ini, i));
  }
  read.transCounts = BoundedTransCounts(ini.number(u"KeyTrans1", u"KeyTrans"),
                                        ini.number(u"KeyTrans2", u"KeyTrans"));
  for (int list = 0; list < 2; ++list) {
    read.translations[list] =
        ReadTranslations(ini, Numbered(u"KeyTrans", list + 1), read.transCounts[list]);
  }
  return read;
}

void ApplyKeywordIni(const KeywordIniFile& file, KeywordTables& tables) {
  tables.firstCount = file.firstCount;
  tables.transCount1 = file.transCounts[0];
  tables.transCount2 = file.transCounts[1];
}

}  // namespace trel
