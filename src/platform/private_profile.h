#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace trel {

// Longest value a profile read returns: the reader's buffer holds 1,024 characters with the NUL.
inline constexpr std::size_t kProfileValueLimit = 1023;

// A private-profile (INI) file held in memory, with the rules of the Windows private-profile
// functions: FF FE marks UTF-16LE, anything else is UTF-8 (a UTF-8 byte-order mark skipped); section
// and key names match case-insensitively; blanks around names and values are trimmed; one pair of
// matching outer quotes is stripped; ";" starts a comment only at the start of a line; the first of
// duplicate sections or keys wins; values are cut at 1,023 characters.
class ProfileDocument {
 public:
  // A missing or unreadable file gives an empty document (every read returns its default).
  static ProfileDocument Load(const std::filesystem::path& file);

  std::u16string get(std::u16string_view section, std::u16string_view key,
                     std::u16string_view fallback) const;

  // Updates the key in place, or adds it after the last key of its section, or adds the section at
  // the end. A value holding a line break is refused (false): it would split its line.
  bool set(std::u16string_view section, std::u16string_view key, std::u16string_view value);

  // Writes the document with the encoding it was read in (UTF-8 for a new file), CRLF line ends,
  // through a temporary file and a rename, so a failure leaves the old file as it was.
  bool save(const std::filesystem::path& file) const;

 private:
  struct Line;
  bool utf16_ = false;
  std::vector<std::u16string> lines_;
};

// One read, as GetPrivateProfileString does it.
std::u16string ReadProfileString(const std::filesystem::path& file, std::u16string_view section,
                                 std::u16string_view key, std::u16string_view fallback);

// One write, as WritePrivateProfileString does it: keeps the encoding and every other line of the
// file, replaces it atomically; false (and the file unchanged) when the write cannot be done.
bool WriteProfileString(const std::filesystem::path& file, std::u16string_view section,
                        std::u16string_view key, std::u16string_view value);

// Numbers in profile files: the decimal integer prefix (optional sign) after leading blanks, 0 when
// there are no digits, clamped to the 32-bit range.
std::int32_t ProfileNumber(std::u16string_view text);

}  // namespace trel
