#include <windows.h>

#include <string>

#include "platform/file_handle_win32.h"
#include "platform/whole_file.h"

namespace trel {

namespace {

namespace fs = std::filesystem;

std::error_code ErrorCodeOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      return std::make_error_code(std::errc::no_such_file_or_directory);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return std::make_error_code(std::errc::permission_denied);
    default:
      return {static_cast<int>(error), std::system_category()};
  }
}

bool IsFolder(const fs::path& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const fs::path& file, std::error_code& error) {
  error.clear();
  if (IsFolder(file)) {
    error = std::make_error_code(std::errc::is_a_directory);
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
    error = std::make_error_code(std::errc::invalid_argument);
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
