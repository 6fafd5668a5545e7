#include "update/text_format.h"

#include <cstdarg>
#include <cstdio>

namespace trel {

namespace {

void AppendHex(std::string& out, std::uint8_t byte) {
  static constexpr char kDigits[] = "0123456789abcdef";
  out += kDigits[byte >> 4];
  out += kDigits[byte & 0x0F];
}

}  // namespace

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list sizing;
  va_copy(sizing, args);
  const int length = std::vsnprintf(nullptr, 0, format, sizing);
  va_end(sizing);
  std::string out(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
  std::vsnprintf(out.data(), out.size() + 1, format, args);
  va_end(args);
  return out;
}

std::string HexBytes(std::span<const std::uint8_t> bytes) {
  std::string out;
  out.reserve(bytes.size() * 3);
  for (const std::uint8_t byte : bytes) {
    if (!out.empty()) {
      out += ' ';
    }
    AppendHex(out, byte);
  }
  return out;
}

std::string QuotedBytes(std::span<const std::uint8_t> bytes) {
  std::string out = "\"";
  for (const std::uint8_t byte : bytes) {
    if (byte == '"' || byte == '\\') {
      out += '\\';
      out += static_cast<char>(byte);
    } else if (byte >= 0x20 && byte < 0x7F) {
      out += static_cast<char>(byte);
    } else {
      out += "\\x";
      AppendHex(out, byte);
    }
  }
  return out + "\"";
}

}  // namespace trel
