#pragma once

#include <filesystem>

#include "platform/message_boxes.h"
#include "tables/keyword_element_model.h"
#include "tables/keyword_tables.h"
#include "tables/keyword_xml_records.h"
#include "tables/text_encoding.h"

namespace trel {

// Loads keyword files of the XML form: parses a file into element records, accepts or refuses it
// by its "base", copies an accepted file into the element model, and packs the model into the
// block. Records and model live here between loads: a refused file keeps the previous model.
class XmlKeywordReader {
 public:
  // A file that cannot be opened or parsed shows "Can't open:<path>" / "Error" and changes nothing;
  // a file without a "VORTELL" or "FREE" root fails silently and changes nothing.
  bool Load(KeywordTables& tables, const std::filesystem::path& file, const TextEncoding& encoding,
            MessageBoxes& messageBoxes);

  // Frees the records of the last parse (the model stays).
  void FreeRecords() { records_ = {}; }

  const XmlElementRecords& records() const { return records_; }
  const KeywordElementModel& model() const { return model_; }

 private:
  XmlElementRecords records_;
  KeywordElementModel model_;
};

}  // namespace trel
