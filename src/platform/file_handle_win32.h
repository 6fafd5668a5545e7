#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace trel {

// An open file handle, closed when the object goes.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { close(); }

  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  // Closes now; false when closing reported an error.
  bool close();

 private:
  HANDLE handle_;
};

// A GetLastError() code as an error code; the common causes as their portable conditions, so that
// callers and tests compare them alike on every system.
std::error_code ErrorCodeOf(DWORD error);

// Whether the name stands for a folder that exists.
bool IsFolder(const std::filesystem::path& path);

// Writes all bytes at the current position; false on any failure.
bool WriteAll(HANDLE file, std::string_view bytes);

// Reads from the current position to the end of the file; false on a read error.
bool ReadToEnd(HANDLE file, std::string& bytes);

// Creates a new, empty file beside `target` (its name with a suffix of this process's own) that
// nobody else uses, for writing; invalid, with GetLastError() telling why, when that is impossible.
HANDLE CreateTemporaryBeside(const std::filesystem::path& target, std::filesystem::path& temporary);

}  // namespace trel
