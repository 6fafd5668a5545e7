#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "platform/profile_syntax.h"

namespace trel {

// Longest value a profile read returns: the reader's buffer holds 1,024 characters with the NUL.
inline constexpr std::size_t kProfileValueLimit = 1023;

// A private-profile (INI) file held in memory, with the rules of the Windows private-profile
// functions: FF FE marks UTF-16LE, anything else is UTF-8 (a UTF-8 byte-order mark skipped);
// section and key names match case-insensitively; blanks around names and values are trimmed; one
// pair of matching outer quotes is stripped; ";" starts a comment only at the start of a line; the
// first of duplicate sections or keys wins; values are cut at 1,023 characters.
class ProfileDocument {
 public:
  // A missing or unreadable file gives an empty document (every read returns its default).
  static ProfileDocument Load(const std::filesystem::path& file);

  std::u16string get(std::u16string_view section, std::u16string_view key,
                     std::u16string_view fallback) const;

  // Updates the key in place, or adds it after the last key of its section, or adds the section at
  // the end. The value is stored as given, as Windows stores it; get() then returns it with the
  // blanks at its ends trimmed and one pair of outer quotes stripped. Refused (false, nothing
  // changed): a value holding a line break, which would split its line; an empty section or key
  // name, a name with a line break, and a key name that holds "=" or starts with ";" or "[", none
  // of which would read back.
  bool set(std::u16string_view section, std::u16string_view key, std::u16string_view value);

  // Writes the document with the encoding it was read in (UTF-8 for a new file), CRLF line ends,
  // through a temporary file and a rename, so a failure leaves the old file as it was. Lines that
  // set() did not change are written byte for byte as they were read. A file that existed but could
  // not be read when the document was loaded is never overwritten (false). `error` says why a save
  // failed.
  bool save(const std::filesystem::path& file, std::error_code& error) const;
  bool save(const std::filesystem::path& file) const {
    std::error_code ignored;
    return save(file, ignored);
  }

 private:
  enum class Encoding { kUtf8, kUtf8WithMark, kUtf16Le };

  // A line keeps the bytes it was read from until a write changes it, so that the lines a write
  // does not touch are saved byte for byte (also bytes that are not valid in the file's encoding).
  struct Line {
    ProfileLine parsed;
    std::size_t sourceBegin = 0;
    std::size_t sourceEnd = 0;
    bool changed = false;
  };

  struct Section {
    std::vector<Line> lines;  // the header line first, except in the part before any header
    std::unordered_map<std::u16string, std::size_t> keys;  // folded name -> first line of that key
    std::size_t lastKeyLine = 0;  // where a new key goes after; the header while there is no key
  };

  void parse(std::string bytes);
  void addLine(std::size_t begin, std::size_t end);
  std::u16string decode(std::size_t begin, std::size_t end) const;
  std::string encode(std::u16string_view text) const;
  const Line* findKey(std::u16string_view section, std::u16string_view key) const;
  void appendSection(std::u16string_view section, std::u16string_view key, std::u16string value);

  std::string source_;
  Encoding encoding_ = Encoding::kUtf8;
  std::vector<Section> sections_ = std::vector<Section>(1);  // [0]: lines before the first header
  std::unordered_map<std::u16string, std::size_t> sectionIndex_;  // folded name -> first section
  std::filesystem::path unreadable_;  // a file that exists but could not be read: never overwritten
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
