#include <windows.h>

#include <atomic>
#include <string>

#include "platform/whole_file.h"

namespace trel {

namespace {

namespace fs = std::filesystem;

constexpr DWORD kChunkBytes = 65536;
constexpr DWORD kAllShares = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { close(); }

  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  bool close() {
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return handle == INVALID_HANDLE_VALUE || ::CloseHandle(handle) != FALSE;
  }

 private:
  HANDLE handle_;
};

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

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), kChunkBytes));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

// Creates a new, empty file beside `target` that nobody else uses; invalid when that is impossible.
HANDLE CreateTemporaryBeside(const fs::path& target, fs::path& temporary) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = target;
    temporary +=
        L".tmp" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
    const HANDLE file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) {
      return file;
    }
  }
  return INVALID_HANDLE_VALUE;
}

// Puts the finished temporary file in the target's place. Replacing keeps the old file's
// attributes and access rights; a target that does not exist yet is simply renamed into.
bool MoveIntoPlace(const fs::path& temporary, const fs::path& target, bool exists) {
  if (!exists && ::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  // Also when the target appeared since it was looked at.
  return ::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                        nullptr, nullptr) != FALSE;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const fs::path& file, std::error_code& error) {
  error.clear();
  const DWORD attributes = ::GetFileAttributesW(file.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    error = std::make_error_code(std::errc::is_a_directory);
    return std::nullopt;
  }
  FileHandle handle(::CreateFileW(file.c_str(), GENERIC_READ, kAllShares, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
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
  std::string chunk(kChunkBytes, '\0');
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(handle.get(), chunk.data(), kChunkBytes, &got, nullptr)) {
      error = ErrorCodeOf(::GetLastError());
      return std::nullopt;
    }
    if (got == 0) {
      return bytes;
    }
    bytes.append(chunk, 0, got);
  }
}

// Windows has no write permission bits on folders that a test could read; a folder counts as
// writable when a file can be made in it.
bool IsWritableFolder(const fs::path& folder) {
  const DWORD attributes = ::GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
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

bool ReplaceFileAtomically(const fs::path& file, std::string_view bytes) {
  if (file.filename().empty()) {
    return false;
  }
  const DWORD attributes = ::GetFileAttributesW(file.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY |
                               FILE_ATTRIBUTE_DEVICE)) != 0) {
    return false;
  }
  fs::path temporary;
  FileHandle handle(CreateTemporaryBeside(file, temporary));
  if (!handle.valid()) {
    return false;
  }
  const bool written =
      WriteAll(handle.get(), bytes) && ::FlushFileBuffers(handle.get()) && handle.close();
  if (!written || !MoveIntoPlace(temporary, file, exists)) {
    handle.close();
    ::DeleteFileW(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace trel
