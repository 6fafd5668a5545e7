#pragma once

#include <cstdint>
#include <span>
#include <string>

// GCC names the C standard's conversions gnu_printf (plain printf means the host C library's
// conversions, which on Windows differ); clang knows only printf and checks the standard ones.
#if defined(__clang__)
#define TREL_PRINTF_FORMAT(string_index, first_argument) \
  __attribute__((format(printf, string_index, first_argument)))
#else
#define TREL_PRINTF_FORMAT(string_index, first_argument) \
  __attribute__((format(gnu_printf, string_index, first_argument)))
#endif

namespace trel {

// printf into a std::string, with the C standard's conversions on every system.
std::string Format(const char* format, ...) TREL_PRINTF_FORMAT(1, 2);

// "fe 05 03": bytes as two-digit lower-case hex separated by blanks.
std::string HexBytes(std::span<const std::uint8_t> bytes);

// Bytes as a quoted text for the operator: printable ASCII as it is, quotes and backslashes
// escaped, everything else as \xNN, so any payload prints on one line.
std::string QuotedBytes(std::span<const std::uint8_t> bytes);

}  // namespace trel
