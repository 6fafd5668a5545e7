#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace trel {

// printf into a std::string, with the C standard's conversions on every system.
std::string Format(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));

// "fe 05 03": bytes as two-digit lower-case hex separated by blanks.
std::string HexBytes(std::span<const std::uint8_t> bytes);

// Bytes as a quoted text for the operator: printable ASCII as it is, quotes and backslashes
// escaped, everything else as \xNN, so any payload prints on one line.
std::string QuotedBytes(std::span<const std::uint8_t> bytes);

}  // namespace trel
