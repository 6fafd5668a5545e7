#include "tables/command_input.h"

#include <algorithm>

namespace trel {
namespace {

bool IsLineBreak(char16_t c) {
  return c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == u'\u0085' || c == u'\u2028' ||
         c == u'\u2029';
}

bool IsHexDigit(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

// The part of `after` that the change put in place of what `before` held there.
std::pair<std::size_t, std::size_t> Insertion(std::u16string_view before,
                                              std::u16string_view after) {
  const std::size_t shorter = std::min(before.size(), after.size());
  std::size_t prefix = 0;
  while (prefix < shorter && before[prefix] == after[prefix]) {
    ++prefix;
  }
  std::size_t suffix = 0;
  while (suffix < shorter - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  return {prefix, after.size() - suffix - prefix};
}

}  // namespace

std::optional<RefusedInput> RefuseCommandInput(std::u16string_view before,
                                               std::u16string_view after, bool hexOnly) {
  const auto [start, length] = Insertion(before, after);
  RefusedInput refused{start, length, {}, {}};
  bool lineBreaks = false;
  bool otherCharacters = false;
  for (const char16_t c : after.substr(start, length)) {
    if (IsLineBreak(c)) {
      lineBreaks = true;
    } else if (hexOnly && !IsHexDigit(c)) {
      otherCharacters = true;
    } else {
      refused.kept.push_back(c);
    }
  }
  if (!lineBreaks && !otherCharacters) {
    return std::nullopt;
  }
  refused.note = lineBreaks ? kLineBreaksRemovedText : kHexDigitsOnlyText;
  if (lineBreaks && otherCharacters) {
    refused.note += std::string(" ") + kHexDigitsOnlyText;
  }
  return refused;
}

}  // namespace trel
