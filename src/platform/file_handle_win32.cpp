#include "platform/file_handle_win32.h"

#include <algorithm>
#include <atomic>
#include <string>

namespace trel {

namespace {

constexpr DWORD kLargestWrite = 1U << 20;
constexpr DWORD kChunkBytes = 65536;
constexpr int kTemporaryNameAttempts = 100;

}  // namespace

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
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return std::make_error_code(std::errc::no_space_on_device);
    default:
      return {static_cast<int>(error), std::system_category()};
  }
}

bool IsFolder(const std::filesystem::path& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileHandle::close() {
  const HANDLE handle = handle_;
  handle_ = INVALID_HANDLE_VALUE;
  return handle == INVALID_HANDLE_VALUE || ::CloseHandle(handle) != FALSE;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), kLargestWrite));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

bool ReadToEnd(HANDLE file, std::string& bytes) {
  std::string chunk(kChunkBytes, '\0');
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file, chunk.data(), kChunkBytes, &got, nullptr)) {
      return false;
    }
    if (got == 0) {
      return true;
    }
    bytes.append(chunk, 0, got);
  }
}

HANDLE CreateTemporaryBeside(const std::filesystem::path& target,
                             std::filesystem::path& temporary) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    temporary = target;
    temporary +=
        L".tmp" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
    const HANDLE file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) {
      return file;
    }
  }
  ::SetLastError(ERROR_FILE_EXISTS);
  return INVALID_HANDLE_VALUE;
}

}  // namespace trel
