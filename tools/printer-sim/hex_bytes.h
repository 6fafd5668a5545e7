#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace printer_sim {

// "AA 55:0d" -> AA 55 0D. Blanks, ':' and '-' may separate bytes; nullopt when anything else is
// there or a digit is left over.
std::optional<std::vector<std::uint8_t>> ParseHexBytes(std::string_view text);

// Bytes as upper-case hex pairs, separated by `separator` (none when it is '\0').
std::string HexText(const std::vector<std::uint8_t>& bytes, char separator = ' ');

}  // namespace printer_sim
