#pragma once

#include <string_view>

namespace trel {

// Orders names as a person would: runs of digits compare by value, so "ttyUSB2" comes before
// "ttyUSB10"; everything else compares byte by byte.
bool NaturalLess(std::string_view a, std::string_view b);

}  // namespace trel
