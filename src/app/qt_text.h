#pragma once

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

namespace trel {

// The engine's texts are UTF-16 strings and paths; the window's are QStrings.
inline QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::u16string ToU16(const QString& text) {
  return text.toStdU16String();
}

inline std::filesystem::path ToPath(const QString& text) {
  return std::filesystem::path(text.toStdU16String());
}

inline QString PathToQString(const std::filesystem::path& path) {
  return QString::fromStdU16String(path.u16string());
}

}  // namespace trel
