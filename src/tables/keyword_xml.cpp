#include "tables/keyword_xml.h"

#include <tinyxml.h>

#include <optional>
#include <string>
#include <system_error>

#include "platform/private_profile.h"
#include "platform/utf8_path.h"
#include "platform/utf_convert.h"
#include "platform/whole_file.h"
#include "tables/xml_nesting.h"

namespace trel {

namespace {

// A keyword file is a handful of levels deep; anything far deeper is not one.
constexpr std::size_t kDeepestNesting = 256;

bool ParseDocument(TiXmlDocument& document, const std::filesystem::path& file) {
  // Only a regular file is read: a device or a pipe could block the job for ever.
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) {
    return false;
  }
  std::optional<std::string> bytes = ReadWholeFile(file, error);
  if (!bytes || !NestingWithin(*bytes, kDeepestNesting)) {
    return false;
  }
  bytes->append(kNestingPadding, '\0');
  document.Parse(bytes->c_str(), nullptr, TIXML_ENCODING_UTF8);
  return !document.Error();
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
    messageBoxes.show("Can't open:" + PathToUtf8(file), "Error");
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
