#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace trel {

// Turns the tool's wide texts into the bytes the printer receives, and printer or file bytes back.
// Three backslash escapes let an operator type characters an edit box cannot hold: backslash-a is a
// space, backslash-r a carriage return and backslash-s the separator character (separatorCode).
class TextEncoding {
 public:
  static constexpr char16_t kPlainSeparator = 0x00FF;
  static constexpr char16_t kNetSeparator = 0x02FF;

  // The character backslash-s stands for; the settings and the printer's clock reply choose it.
  char16_t separatorCode = kPlainSeparator;

  // Replaces each escape pair by its character, in place; returns the new length. The text ends at
  // its first NUL, as a C string would. A backslash before any other character stays as it is.
  std::size_t ExpandEscapes(std::u16string& text) const;

  // Expands the escapes of the caller's text (in place: callers rely on seeing the expanded text),
  // drops two characters at a time from its end until its UTF-8 form and a NUL fit the destination,
  // and writes them there. Returns the number of text bytes written, not counting the NUL. A text
  // of at most two characters that still does not fit is cut at the destination's size, without a
  // NUL. An empty destination receives nothing and gives 0.
  std::size_t EncodeUtf8(std::u16string& text, std::span<std::uint8_t> destination) const;

  // The bytes EncodeUtf8 would write into a destination of `limit` bytes, without the NUL; the
  // caller's text stays as it is.
  std::string EncodedBytes(std::u16string text, std::size_t limit) const;

  // Decodes UTF-8 bytes (ending at their first NUL if they hold one) into `out`. Returns the number
  // of characters produced, counting the terminator when the input held one; 0 for empty input, in
  // which case `out` stays as it was.
  static std::size_t DecodeUtf8(std::string_view bytes, std::u16string& out);
};

}  // namespace trel
