#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace trel {

// The logic's texts are UTF-16 strings and paths; Qt's are QStrings.
inline QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::u16string ToU16(const QString& text) {
  return text.toStdU16String();
}

inline QString PathToQString(const std::filesystem::path& path) {
  return QString::fromStdU16String(path.u16string());
}

inline QStringList ToQStringList(const std::vector<std::u16string>& texts) {
  QStringList list;
  for (const std::u16string& text : texts) {
    list << ToQString(text);
  }
  return list;
}

}  // namespace trel
