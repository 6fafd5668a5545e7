#include "tables/keyword_xml.h"

#include <tinyxml.h>

#include <system_error>

#include "platform/private_profile.h"
#include "platform/utf_convert.h"

namespace trel {

namespace {

bool ParseDocument(TiXmlDocument& document, const std::filesystem::path& file) {
  // Only a regular file is handed to the parser: it sizes its buffer by seeking to the end.
  std::error_code error;
  return std::filesystem::is_regular_file(file, error) &&
         document.LoadFile(file.c_str(), TIXML_ENCODING_UTF8);
}

const TiXmlElement* FindRoot(const TiXmlDocument& document) {
  const TiXmlElement* root = document.FirstChildElement("VORTELL");
  return root != nullptr ? root : document.FirstChildElement("FREE");
}

// "base" carries the number of first-level keys in bits 0-3 and a non-zero tag in bits 4-7.
constexpr std::int32_t KeyCountOf(std::int32_t base) {
  return base & 0x0F;
}
constexpr bool HasTag(std::int32_t base) {
  return ((base >> 4) & 0x0F) != 0;
}

}  // namespace

bool XmlKeywordReader::Load(KeywordTables& tables, const std::filesystem::path& file,
                            const TextEncoding& encoding, MessageBoxes& messageBoxes) {
  FreeRecords();
  TiXmlDocument document;
  if (!ParseDocument(document, file)) {
    messageBoxes.show("Can't open:" + file.string(), "Error");
    return false;
  }
  const TiXmlElement* root = FindRoot(document);
  if (root == nullptr) {
    return false;
  }
  records_ = ReadElementRecords(*root);
  const std::int32_t base = ProfileNumber(Utf8ToUtf16(records_.base));
  // A file for more than eight keys is refused: the block is rebuilt from the last accepted file.
  std::int32_t count = tables.firstCount;
  if (KeyCountOf(base) <= kFirstKeyRows) {
    count = base;
    model_.CopyFrom(records_.elements);
  }
  model_.Pack(tables, KeyCountOf(count), encoding);
  // The count never keeps bits above the key number, so no reader can take it for more rows.
  tables.firstCount = KeyCountOf(count);
  return HasTag(count);
}

}  // namespace trel
