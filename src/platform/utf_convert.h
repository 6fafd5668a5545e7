#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace trel {

// UTF-8 to UTF-16 as the Windows converter does it with flags 0: every invalid sequence becomes
// U+FFFD (a lone continuation byte one each; C0, C1 and F5..FF one per byte, including continuation
// bytes that follow them; a valid but truncated sequence one; a lead byte followed by a byte
// outside its allowed range, such as E0 80, ED A0 or F4 90, one for the pair and one for each
// further continuation byte). NUL bytes are kept as characters.
std::u16string Utf8ToUtf16(std::string_view bytes);

// UTF-16 to UTF-8; a lone surrogate becomes EF BF BD.
std::string Utf16ToUtf8(std::u16string_view text);

// Number of bytes Utf16ToUtf8 produces for the text (no terminator counted).
std::size_t Utf8Length(std::u16string_view text);

}  // namespace trel
