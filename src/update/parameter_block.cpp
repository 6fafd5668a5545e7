#include "update/parameter_block.h"

#include <iterator>

#include "tables/param_item.h"
#include "tables/text_encoding.h"

namespace trel {
namespace {

// UTF8 mode gives a character at most this many bytes, escapes and all.
constexpr std::size_t kUtf8BytesPerCharacter = 8;

// Any character that is no hexadecimal digit counts as the digit 0.
std::uint8_t HexDigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') {
    return static_cast<std::uint8_t>(c - u'0');
  }
  if (c >= u'A' && c <= u'F') {
    return static_cast<std::uint8_t>(c - u'A' + 10);
  }
  if (c >= u'a' && c <= u'f') {
    return static_cast<std::uint8_t>(c - u'a' + 10);
  }
  return 0;
}

// Two digits a byte, the first in the high nibble; an odd last digit is a byte of its own.
std::vector<std::uint8_t> PackHex(const std::u16string& command) {
  std::vector<std::uint8_t> bytes;
  std::size_t i = 0;
  for (; i + 1 < command.size(); i += 2) {
    bytes.push_back(static_cast<std::uint8_t>((HexDigitValue(command[i]) << 4) |
                                              HexDigitValue(command[i + 1])));
  }
  if (i < command.size()) {
    bytes.push_back(HexDigitValue(command[i]));
  }
  return bytes;
}

std::vector<std::uint8_t> PackAscii(const std::u16string& command) {
  std::vector<std::uint8_t> bytes;
  for (char16_t c : command) {
    bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
  }
  return bytes;
}

std::vector<std::uint8_t> PackUnicode(const std::u16string& command) {
  std::vector<std::uint8_t> bytes;
  for (char16_t c : command) {
    bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
  }
  return bytes;
}

std::vector<std::uint8_t> PackUtf8(std::u16string command, const TextEncoding& encoding) {
  std::vector<std::uint8_t> bytes(command.size() * kUtf8BytesPerCharacter);
  bytes.resize(encoding.EncodeUtf8(command, bytes));
  return bytes;
}

}  // namespace

std::vector<std::uint8_t> PackItemValue(std::u16string command, int dataMode,
                                        const TextEncoding& encoding) {
  if (command.empty()) {
    return {kEmptyCommandByte};
  }
  switch (dataMode) {
    case kDataModeHex:
      return PackHex(command);
    case kDataModeAscii:
      return PackAscii(command);
    case kDataModeUnicode:
      return PackUnicode(command);
    case kDataModeUtf8:
      return PackUtf8(std::move(command), encoding);
    default:
      return {};
  }
}

PackedParameters PackParameterItems(const ProfileDocument& file, const TextEncoding& encoding) {
  PackedParameters packed;
  for (int number = 1; number <= kHighestParamSection; ++number) {
    const ParamSection section = ReadParamSection(file, number);
    if (section.endsSendList()) {
      break;
    }
    ++packed.itemCount;
    std::vector<std::uint8_t> item;
    if (section.valid()) {
      item = PackItemValue(section.command, section.dataModeNumber(), encoding);
    }
    item.insert(item.end(), std::begin(kItemSeparator), std::end(kItemSeparator));
    if (packed.block.size() + item.size() > kParameterBlockCapacity) {
      packed.tooLarge = true;
      break;
    }
    packed.block.insert(packed.block.end(), item.begin(), item.end());
  }
  return packed;
}

}  // namespace trel
