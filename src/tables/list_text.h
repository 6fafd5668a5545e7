#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace trel {

// Splits a list text at each occurrence of the separator (exact, case-sensitive): every part before
// a separator is an item, also an empty one; the part after the last separator is one only when it
// is not empty. So ";a" gives "" and "a", "a;;b;" gives "a", "" and "b". An empty separator gives
// no items.
std::vector<std::u16string> SplitListText(std::u16string_view text, std::u16string_view separator);

// Joins items with the separator after every item, also the last; a list of the single item "0" is
// just "0". No items give an empty text.
std::u16string JoinListText(const std::vector<std::u16string>& items,
                            std::u16string_view separator);

}  // namespace trel
