#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tables/keyword_tables.h"
#include "tables/text_encoding.h"

namespace trel {

// The INI form of a keyword file sets only the counts; its per-entry keys are read and kept here,
// but nothing from them reaches the print format block.
struct IniSecondKey {
  std::string key;  // UTF-8, at most 47 bytes
  std::string content;
  std::int32_t mode = 0;
  std::int32_t isId = 0;
  std::int32_t isHide = 0;
};

struct IniFirstKey {
  std::string key;  // UTF-8, at most 47 bytes
  std::string content;
  std::int32_t parse = 0;
  std::int32_t trans = 0;
  std::int32_t isId = 0;
  std::int32_t secondKeyCount = 0;
  std::int32_t isHide = 0;
  std::vector<IniSecondKey> secondKeys;  // read only when parse is non-zero; at most a group's 10
};

struct IniTranslation {
  std::string source;  // low bytes of at most 5 characters
  std::string text;    // UTF-8, at most 19 bytes
};

struct KeywordIniFile {
  std::int32_t firstCount = 0;  // 1..8
  std::vector<IniFirstKey> firstKeys;
  // The two translation lists, their counts already cut to what the block can send: at most 11
  // rows in list 1, 21 in list 2, and 31 in both.
  std::array<std::int32_t, 2> transCounts{};
  std::array<std::vector<IniTranslation>, 2> translations;
};

// Reads the file; nothing when it is missing or its "FirstKeyNum" (low four bits) is not 1..8.
std::optional<KeywordIniFile> ReadKeywordIni(const std::filesystem::path& file,
                                             const TextEncoding& encoding);

// Sets the three counts from the file; the block keeps its contents.
void ApplyKeywordIni(const KeywordIniFile& file, KeywordTables& tables);

}  // namespace trel
