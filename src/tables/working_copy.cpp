#include "tables/working_copy.h"

#include <string>
#include <string_view>

#include "platform/utf_convert.h"
#include "platform/whole_file.h"

namespace trel {

namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

std::string Utf16LeBytes(std::u16string_view text) {
  std::string bytes(kUtf16LeMark);
  bytes.reserve(bytes.size() + text.size() * 2);
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

}  // namespace

bool ConvertToWorkingCopy(const std::filesystem::path& source,
                          const std::filesystem::path& destination) {
  std::error_code error;
  const std::optional<std::string> bytes = ReadWholeFile(source, error);
  if (!bytes || bytes->size() < 3 || bytes->starts_with(kUtf16LeMark)) {
    return false;
  }
  std::string_view text = *bytes;
  if (text.starts_with(kUtf8Mark)) {
    text.remove_prefix(kUtf8Mark.size());
  }
  return ReplaceWholeFile(destination, Utf16LeBytes(Utf8ToUtf16(text)));
}

bool CopyFileBytes(const std::filesystem::path& source, const std::filesystem::path& destination,
                   std::error_code& error) {
  const std::optional<std::string> bytes = ReadWholeFile(source, error);
  return bytes && ReplaceWholeFile(destination, *bytes, error);
}

}  // namespace trel
