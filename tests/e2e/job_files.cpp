#include "e2e/job_files.h"

#include <string_view>

namespace trel::testing {

std::string ParamList(const std::vector<std::pair<int, std::string>>& items) {
  std::string text;
  int section = 0;
  for (const auto& [dataMode, command] : items) {
    const std::string number = std::to_string(++section);
    text += "[" + number + "]\r\nNameEn=item " + number + "\r\nCommand=" + command +
            "\r\nDataMode=" + std::to_string(dataMode) + "\r\nIsValid=1\r\nIsHide=0\r\n";
  }
  return text;
}

std::string Concatenated(const std::vector<std::vector<std::uint8_t>>& frames) {
  std::string bytes;
  for (const auto& frame : frames) {
    bytes.append(frame.begin(), frame.end());
  }
  return bytes;
}

int CountOf(const std::string& text, const std::string& part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

bool Contains(const std::string& text, std::span<const std::uint8_t> bytes) {
  const std::string_view wanted(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return text.find(wanted) != std::string::npos;
}

}  // namespace trel::testing
