#pragma once

#include <string>
#include <string_view>

namespace trel {

// One line of a profile file as the reader sees it.
struct ProfileLine {
  enum class Kind { kOther, kSection, kKey };
  Kind kind = Kind::kOther;
  std::u16string name;   // section or key name, blanks trimmed, spelling as written
  std::u16string value;  // key value, blanks trimmed, outer quotes still on
};

// Space, tab, vertical tab and form feed: what the reader trims around names and values.
bool IsProfileBlank(char16_t c);
std::u16string_view TrimProfileBlanks(std::u16string_view text);

// Text up to its first NUL: names and values are C strings to the profile functions.
std::u16string_view UpToNul(std::u16string_view text);

bool HoldsLineBreak(std::u16string_view text);

// Sorts a line into section header ("[name]", up to the last "]"), key ("name=value") or anything
// else (comments starting with ";", blank lines, lines without "=").
ProfileLine ParseProfileLine(std::u16string_view text);

// The key under which names are compared: case-insensitive for ASCII, Latin-1, Greek and Cyrillic.
std::u16string FoldProfileName(std::u16string_view name);

// What a read returns for a stored value: blanks at its ends trimmed, then one pair of matching
// outer quotes stripped, cut at kProfileValueLimit characters.
std::u16string ProfileValueAsRead(std::u16string_view stored);

// A key or section name that would not read back as itself (empty, holding a line break, a key that
// holds "=" or would start a comment or section header) cannot be written.
bool IsWritableSectionName(std::u16string_view name);
bool IsWritableKeyName(std::u16string_view name);

// The text of a line as a write produces it.
std::u16string SectionHeaderText(std::u16string_view name);
std::u16string KeyLineText(std::u16string_view name, std::u16string_view storedValue);

}  // namespace trel
