// A profile file in any of its three forms, one value set in it, saved and read again: the value
// reads back as a read of the unsaved document gives it, every key read before reads the same, and
// a second save changes no byte. The first byte picks the form (raw, UTF-8 with its mark,
// UTF-16LE); the input's last three NUL-separated parts are the section, key and value, each byte
// one character.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "fuzz_check.h"
#include "fuzz_files.h"
#include "platform/private_profile.h"
#include "platform/profile_syntax.h"
#include "platform/whole_file.h"

namespace {

std::u16string Widened(std::string_view bytes) {
  std::u16string text;
  for (const char c : bytes) {
    text.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
  }
  return text;
}

std::string FileBytes(const std::filesystem::path& file) {
  std::error_code error;
  return trel::ReadWholeFile(file, error).value_or(std::string());
}

// Splits off the input's last NUL-separated part.
std::string_view TakeLastPart(std::string_view& input) {
  const std::size_t nul = input.rfind('\0');
  const std::string_view part = nul == std::string_view::npos ? input : input.substr(nul + 1);
  input = nul == std::string_view::npos ? std::string_view() : input.substr(0, nul);
  return part;
}

std::string WithForm(std::uint8_t form, std::string_view content) {
  switch (form % 3) {
    case 1:
      return "\xEF\xBB\xBF" + std::string(content);
    case 2:
      return "\xFF\xFE" + std::string(content);
    default:
      return std::string(content);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  // The tool reads and writes only names it spells itself, never with blanks at their ends.
  const std::u16string value = Widened(TakeLastPart(input));
  const std::u16string key(trel::TrimProfileBlanks(Widened(TakeLastPart(input))));
  const std::u16string section(trel::TrimProfileBlanks(Widened(TakeLastPart(input))));
  const std::string content = WithForm(data[0], input);
  const std::filesystem::path file = trel::fuzz::WriteInput(
      "profile.ini", reinterpret_cast<const std::uint8_t*>(content.data()), content.size());

  trel::ProfileDocument document = trel::ProfileDocument::Load(file);
  const std::u16string otherKey = key + u"2";
  const std::u16string otherBefore = document.get(section, otherKey, u"-");
  if (!document.set(section, key, value)) {
    return 0;
  }
  const std::u16string expected = document.get(section, key, u"-");
  FUZZ_CHECK(expected == trel::ProfileValueAsRead(value));
  FUZZ_CHECK(document.save(file));
  const std::string saved = FileBytes(file);
  const trel::ProfileDocument reloaded = trel::ProfileDocument::Load(file);
  FUZZ_CHECK(reloaded.get(section, key, u"-") == expected);
  FUZZ_CHECK(reloaded.get(section, otherKey, u"-") == otherBefore);
  FUZZ_CHECK(reloaded.save(file));
  FUZZ_CHECK(FileBytes(file) == saved);
  return 0;
}
