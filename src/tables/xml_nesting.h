#pragma once

#include <cstddef>
#include <string_view>

namespace trel {

// NUL bytes to follow a text handed to the XML parser: it can step up to three bytes past a
// character cut short at the end of its buffer.
inline constexpr std::size_t kNestingPadding = 4;

// True when the XML parser, reading this text, builds no element deeper than `deepest` levels. The
// parser descends recursively, one call per level, so a file nested deeply enough would exhaust the
// stack; such a file is refused before it reaches the parser. The text is walked by the parser's
// own rules (where each kind of markup, text and attribute value ends, and where the parser gives
// up), so no markup can hide elements from the count. The parser is to read the text followed by
// kNestingPadding NUL bytes.
bool NestingWithin(std::string_view xml, std::size_t deepest);

}  // namespace trel
