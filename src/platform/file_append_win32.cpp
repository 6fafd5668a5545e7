#include <windows.h>

#include <algorithm>

#include "platform/file_append.h"

namespace trel {

bool AppendToExistingFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes) {
  // OPEN_EXISTING: a file removed since it was made is not brought back. FILE_APPEND_DATA alone
  // puts every write at the end.
  const HANDLE handle =
      ::CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    return false;
  }
  bool written = true;
  while (written && !bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1U << 20));
    DWORD put = 0;
    written = ::WriteFile(handle, bytes.data(), chunk, &put, nullptr) && put > 0;
    bytes = bytes.subspan(written ? put : 0);
  }
  return ::CloseHandle(handle) && written;
}

}  // namespace trel
