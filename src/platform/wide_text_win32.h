#pragma once

#include <string>
#include <string_view>

#include "platform/utf_convert.h"

namespace trel {

// Windows takes and gives names as UTF-16 (wchar_t); the engine's texts are UTF-8.
inline std::wstring WideFromUtf8(std::string_view text) {
  const std::u16string wide = Utf8ToUtf16(text);
  return std::wstring(wide.begin(), wide.end());
}

inline std::string Utf8FromWide(std::wstring_view text) {
  return Utf16ToUtf8(std::u16string(text.begin(), text.end()));
}

// The system's own wording of an error code (GetLastError), without the trailing line break.
std::string SystemErrorText(unsigned long code);

}  // namespace trel
