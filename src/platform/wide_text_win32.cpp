#include <windows.h>

#include "platform/wide_text_win32.h"

namespace trel {

std::string SystemErrorText(unsigned long code) {
  wchar_t* text = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  if (length == 0 || text == nullptr) {
    return "error " + std::to_string(code);
  }
  std::wstring_view message(text, length);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                              message.back() == L'.' || message.back() == L' ')) {
    message.remove_suffix(1);
  }
  std::string result = Utf8FromWide(message);
  ::LocalFree(text);
  return result;
}

}  // namespace trel
