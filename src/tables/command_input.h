#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace trel {

// Notes for the status line when a command editor refused part of what the operator put in.
inline constexpr char kLineBreaksRemovedText[] = "Line breaks were removed.";
inline constexpr char kHexDigitsOnlyText[] = "A HEX command takes only the digits 0-9 and A-F.";

// What stays of one change the operator made in a command editor (the command box, the in-place
// editor of the command column, an Edit List item): the characters at [start, start + length) of
// the changed text, which the change put in, are to be replaced by `kept`.
struct RefusedInput {
  std::size_t start = 0;
  std::size_t length = 0;
  std::u16string kept;
  std::string note;  // what was removed, for the status line
};

// A command holds no line break, and a HEX command takes only hexadecimal digits: of what a change
// put in (typed, pasted or dropped), the characters a command cannot hold are removed. Only the
// inserted characters are looked at, so a text that came from a file keeps its own. Nothing when
// the change stands as it is.
std::optional<RefusedInput> RefuseCommandInput(std::u16string_view before,
                                               std::u16string_view after, bool hexOnly);

}  // namespace trel
