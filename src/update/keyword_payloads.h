#pragma once

#include <cstdint>
#include <vector>

namespace trel {

struct KeywordTables;

// Keyword frame types (the argument byte of command 83).
inline constexpr std::uint8_t kKeywordHeader = 1;
inline constexpr std::uint8_t kKeywordFirstLevel = 2;
inline constexpr std::uint8_t kKeywordSecondLevel = 3;
inline constexpr std::uint8_t kKeywordTranslationSource = 4;
inline constexpr std::uint8_t kKeywordTranslationText = 5;

// The closing frame's argument: which kind of keyword file the printer has just received.
inline constexpr std::uint8_t kClosingCodeMainFile = 6;
inline constexpr std::uint8_t kClosingCodeExtraFile = 22;

struct KeywordPayload {
  std::uint8_t type = kKeywordHeader;
  std::vector<std::uint8_t> bytes;
};

// The payloads of one keyword file's frames before its closing frame, in the order they are sent:
// the header, the first-level rows, the second-level keys group by group (a group counts when its
// entry 0 has a key, and ends at its first empty key), the translation sources of both lists and
// the translation texts.
std::vector<KeywordPayload> BuildKeywordPayloads(const KeywordTables& tables, int keywordFileCount);

}  // namespace trel
