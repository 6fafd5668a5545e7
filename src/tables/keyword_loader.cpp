#include "tables/keyword_loader.h"

namespace trel {

namespace {

template <typename Char>
bool EndsWithXml(std::basic_string_view<Char> path) {
  constexpr Char kEnding[] = {'.', 'x', 'm', 'l'};
  if (path.size() <= 4) {
    return false;
  }
  const auto tail = path.substr(path.size() - 4);
  for (std::size_t i = 0; i < 4; ++i) {
    const Char c = tail[i];
    const Char lower = (c >= 'A' && c <= 'Z') ? static_cast<Char>(c - 'A' + 'a') : c;
    if (lower != kEnding[i]) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool HasXmlEnding(std::string_view path) {
  return EndsWithXml(path);
}

bool HasXmlEnding(std::u16string_view path) {
  return EndsWithXml(path);
}

bool KeywordLoader::Load(KeywordTables& tables, const std::filesystem::path& file) {
  if (HasXmlEnding(file.u16string())) {
    return xml_.Load(tables, file, encoding_, messageBoxes_);
  }
  lastIniFile_ = ReadKeywordIni(file, encoding_);
  if (!lastIniFile_) {
    return false;
  }
  ApplyKeywordIni(*lastIniFile_, tables);
  return true;
}

void KeywordLoader::FreeWorkingStorage() {
  xml_.FreeRecords();
  lastIniFile_.reset();
}

}  // namespace trel
