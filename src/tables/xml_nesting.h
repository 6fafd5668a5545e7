#pragma once

#include <cstddef>
#include <string_view>

namespace trel {

// True when no element of the XML text lies deeper than `deepest` levels. The parser descends
// recursively, one call per level, so a file nested deeply enough would exhaust the stack; such a
// file is refused before it reaches the parser. Comments, CDATA sections, declarations and quoted
// attribute values are skipped, so a ">" or "/>" inside them does not miscount.
bool NestingWithin(std::string_view xml, std::size_t deepest);

}  // namespace trel
