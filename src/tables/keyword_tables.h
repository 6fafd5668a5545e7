#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace trel {

// A fixed-width byte field holding at most N - 1 bytes of text and a NUL.
template <std::size_t N>
using TextField = std::array<std::uint8_t, N>;

// The text of a field, up to its first NUL (the whole field when it has none).
template <std::size_t N>
std::span<const std::uint8_t> FieldText(const TextField<N>& field) {
  std::size_t length = 0;
  while (length < N && field[length] != 0) {
    ++length;
  }
  return std::span<const std::uint8_t>(field.data(), length);
}

// Stores at most N - 1 bytes of the text and zeroes the rest of the field. A cut may end inside a
// multi-byte character: the printer receives the bytes as they are.
template <std::size_t N>
void SetFieldText(TextField<N>& field, std::span<const std::uint8_t> text) {
  field.fill(0);
  const std::size_t length = text.size() < N - 1 ? text.size() : N - 1;
  for (std::size_t i = 0; i < length; ++i) {
    field[i] = text[i];
  }
}

inline constexpr int kFirstKeyRows = 8;
inline constexpr int kSecondKeyGroups = 8;
inline constexpr int kSecondKeysPerGroup = 10;
inline constexpr int kTransKeys1Rows = 11;
inline constexpr int kTransKeys2Rows = 21;
inline constexpr int kTransTextRows = 31;

// A first-level key with its content; hasSecond and secondCount of row r describe group r + 1.
struct FirstKeyRow {
  TextField<9> key{};
  TextField<129> content{};
  std::uint8_t hasSecond = 0;
  std::uint8_t option1 = 0;
  std::uint8_t option2 = 0;
  // Bit 0 and bit 1: the key's two switches; bits 4-7: the second-level group it opens (0: none).
  std::uint8_t flags = 0;
  std::uint8_t secondCount = 0;

  bool operator==(const FirstKeyRow&) const = default;
};

struct SecondKeyRow {
  TextField<3> key{};
  TextField<129> content{};
  std::uint8_t option1 = 0;
  std::uint8_t option2 = 0;
  std::uint8_t flags = 0;

  bool operator==(const SecondKeyRow&) const = default;
};

using TransKeyField = TextField<6>;
using TransTextField = TextField<21>;

// The printer's keyword configuration as it goes out row by row. Translation sources are numbered
// over both lists (row j of transKeys2 is number transCount1 + j); source number r is translated by
// row r of transTexts.
struct PrintFormatBlock {
  std::array<FirstKeyRow, kFirstKeyRows> firstKeys{};
  std::array<std::array<SecondKeyRow, kSecondKeysPerGroup>, kSecondKeyGroups> secondKeys{};
  std::array<TransKeyField, kTransKeys1Rows> transKeys1{};
  std::array<TransKeyField, kTransKeys2Rows> transKeys2{};
  std::array<TransTextField, kTransTextRows> transTexts{};

  bool operator==(const PrintFormatBlock&) const = default;
};

// The block the tool starts with, before any keyword file of the XML form replaces it.
PrintFormatBlock DefaultPrintFormatBlock();

// The keyword tables a download sends: how many first-level rows and translation rows, and the
// block. The counts start at 0; a keyword file sets them.
struct KeywordTables {
  std::int32_t firstCount = 0;
  std::int32_t transCount1 = 0;
  std::int32_t transCount2 = 0;
  PrintFormatBlock block = DefaultPrintFormatBlock();
};

}  // namespace trel
