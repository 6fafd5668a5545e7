#include <windows.h>

#include <string>

#include "platform/file_handle_win32.h"
#include "platform/output_file.h"
#include "platform/whole_file.h"

namespace trel {

namespace fs = std::filesystem;

std::optional<std::string> ReadWholeFile(const fs::path& file, std::error_code& error) {
  error.clear();
  if (IsFolder(file)) {
    error = NotARegularFile();
    return std::nullopt;
  }
  const FileHandle handle(::CreateFileW(file.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle.valid()) {
    error = ErrorCodeOf(::GetLastError());
    return std::nullopt;
  }
  // A device or pipe given in place of a file (COM1, NUL, \\.\pipe\...) is refused unread.
  if (::GetFileType(handle.get()) != FILE_TYPE_DISK) {
    error = NotARegularFile();
    return std::nullopt;
  }
  std::string bytes;
  LARGE_INTEGER size{};
  if (::GetFileSizeEx(handle.get(), &size)) {
    bytes.reserve(static_cast<std::size_t>(size.QuadPart));
  }
  if (!ReadToEnd(handle.get(), bytes)) {
    error = ErrorCodeOf(::GetLastError());
    return std::nullopt;
  }
  return bytes;
}

// Folders have no write permission bits that could be read; a folder counts as writable when a
// file can be made in it.
bool IsWritableFolder(const fs::path& folder) {
  if (!IsFolder(folder)) {
    return false;
  }
  fs::path probe;
  FileHandle file(CreateTemporaryBeside(folder / L"trel-write-probe", probe));
  if (!file.valid()) {
    return false;
  }
  file.close();
  ::DeleteFileW(probe.c_str());
  return true;
}

}  // namespace trel
