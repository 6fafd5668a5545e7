#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace trel {

class ProfileDocument;
class TextEncoding;

// The printer keeps the parameter list in a block of this many bytes.
inline constexpr std::size_t kParameterBlockCapacity = 0x40000;
// Every item's value ends with these bytes, so the printer can find the items again.
inline constexpr std::uint8_t kItemSeparator[] = {0x0A, 0x0D, 0x0A, 0x0D};
// The value of an item whose command text is empty.
inline constexpr std::uint8_t kEmptyCommandByte = 0x20;

struct PackedParameters {
  int itemCount = 0;  // sections read before the list ended, valid or not
  std::vector<std::uint8_t> block;
  bool tooLarge = false;  // the items would not fit the printer's block; block is then incomplete
};

// The value bytes of one valid item in its data mode (ParamDataMode; other modes give none).
std::vector<std::uint8_t> PackItemValue(std::u16string command, int dataMode,
                                        const TextEncoding& encoding);

// Reads sections 1, 2, ... until one ends the list and packs the items in order.
PackedParameters PackParameterItems(const ProfileDocument& file, const TextEncoding& encoding);

}  // namespace trel
