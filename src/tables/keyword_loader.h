#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "platform/message_boxes.h"
#include "tables/keyword_ini.h"
#include "tables/keyword_tables.h"
#include "tables/keyword_xml.h"
#include "tables/text_encoding.h"

namespace trel {

// True for a path longer than four characters that ends in ".xml" in any letter case. The path
// itself is never changed: the file is opened by the path as given.
bool HasXmlEnding(std::string_view path);
bool HasXmlEnding(std::u16string_view path);

// Loads a keyword file of either form into the tables: the XML form by its ending, the INI form
// otherwise. Lives as long as the front end, so a refused XML file keeps the previous one's model.
class KeywordLoader {
 public:
  // The encoding is read at each load: the printer may switch its separator during a job.
  KeywordLoader(const TextEncoding& encoding, MessageBoxes& messageBoxes)
      : encoding_(encoding), messageBoxes_(messageBoxes) {}

  bool Load(KeywordTables& tables, const std::filesystem::path& file);

  // Frees the storage the loads keep (XML element records, the last INI file's entries).
  void FreeWorkingStorage();

  const XmlKeywordReader& xml() const { return xml_; }
  const std::optional<KeywordIniFile>& lastIniFile() const { return lastIniFile_; }

 private:
  const TextEncoding& encoding_;
  MessageBoxes& messageBoxes_;
  XmlKeywordReader xml_;
  std::optional<KeywordIniFile> lastIniFile_;
};

}  // namespace trel
