#include <windows.h>

#include <string>

#include "platform/file_handle_win32.h"
#include "platform/whole_file.h"

namespace trel {

namespace {

namespace fs = std::filesystem;

constexpr DWORD kUnwritable =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DEVICE;

enum class Replaced { kDone, kFailed, kFolderRefused };

bool IsRefusal(DWORD error) {
  return error == ERROR_ACCESS_DENIED;
}

std::error_code SystemError(DWORD error) {
  return {static_cast<int>(error), std::system_category()};
}

// Puts the finished temporary file in the target's place; a target that does not exist yet is
// renamed into. Replacing is documented to keep the old file's attributes and access rights; Wine's
// ReplaceFileW drops the attributes (so they are set again) and refuses names without a folder (so
// it is given full paths).
bool MoveIntoPlace(const fs::path& temporary, const fs::path& target, DWORD oldAttributes) {
  const bool exists = oldAttributes != INVALID_FILE_ATTRIBUTES;
  if (!exists && ::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  // Also when the target has appeared since it was looked at.
  std::error_code error;
  if (!::ReplaceFileW(fs::absolute(target, error).c_str(), fs::absolute(temporary, error).c_str(),
                      nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
    return false;
  }
  if (exists) {
    ::SetFileAttributesW(target.c_str(), oldAttributes);
  }
  return true;
}

// The atomic way: a temporary file beside the target that then takes its place. kFolderRefused
// when the folder does not let us create the temporary file or put it in the target's place;
// `error` says why.
Replaced ReplaceThroughTemporary(const fs::path& target, std::string_view bytes,
                                 DWORD oldAttributes, std::error_code& error) {
  fs::path temporary;
  FileHandle handle(CreateTemporaryBeside(target, temporary));
  if (!handle.valid()) {
    const DWORD cause = ::GetLastError();
    error = SystemError(cause);
    return IsRefusal(cause) ? Replaced::kFolderRefused : Replaced::kFailed;
  }
  if (!WriteAll(handle.get(), bytes) || !::FlushFileBuffers(handle.get()) || !handle.close()) {
    error = SystemError(::GetLastError());
    handle.close();
    ::DeleteFileW(temporary.c_str());
    return Replaced::kFailed;
  }
  if (!MoveIntoPlace(temporary, target, oldAttributes)) {
    const DWORD cause = ::GetLastError();
    error = SystemError(cause);
    ::DeleteFileW(temporary.c_str());
    return IsRefusal(cause) ? Replaced::kFolderRefused : Replaced::kFailed;
  }
  return Replaced::kDone;
}

bool WriteContents(HANDLE file, std::string_view bytes) {
  LARGE_INTEGER start{};
  return ::SetFilePointerEx(file, start, nullptr, FILE_BEGIN) && WriteAll(file, bytes) &&
         ::SetEndOfFile(file) && ::FlushFileBuffers(file);
}

// The way for a folder that refuses a temporary file: the file's own bytes are rewritten. That is
// not atomic, so the old contents are kept and written back when the new ones cannot be written
// whole.
bool RewriteInPlace(const fs::path& file, std::string_view bytes, std::error_code& error) {
  const FileHandle handle(::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string old;
  if (!handle.valid() || !ReadToEnd(handle.get(), old)) {
    error = SystemError(::GetLastError());
    return false;
  }
  if (WriteContents(handle.get(), bytes)) {
    return true;
  }
  error = SystemError(::GetLastError());
  WriteContents(handle.get(), old);
  return false;
}

}  // namespace

bool ReplaceWholeFile(const fs::path& file, std::string_view bytes, std::error_code& error) {
  error.clear();
  if (file.filename().empty()) {
    error = std::make_error_code(std::errc::invalid_argument);
    return false;
  }
  const DWORD attributes = ::GetFileAttributesW(file.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & kUnwritable) != 0) {
    error = SystemError(ERROR_ACCESS_DENIED);
    return false;
  }
  switch (ReplaceThroughTemporary(file, bytes, attributes, error)) {
    case Replaced::kDone:
      return true;
    case Replaced::kFolderRefused:
      if (exists && RewriteInPlace(file, bytes, error)) {
        error.clear();
        return true;
      }
      return false;
    case Replaced::kFailed:
      break;
  }
  return false;
}

}  // namespace trel
