#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace trel {

// Splits a list of further keyword files written "A;B;C" the way the desktop tool splits its
// more-XML list: every part before a ";" is a name, also an empty one (it keeps its slot and is
// skipped when sending); the part after the last ";" is a name only when it is not empty. At most
// kMaxExtraKeywordFiles names are kept; further names are ignored.
std::vector<std::string> SplitMoreKeywords(std::string_view list);

}  // namespace trel
