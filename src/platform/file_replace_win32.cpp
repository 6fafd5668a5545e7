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
// when the folder does not let us create the temporary file or put it in the target's place.
Replaced ReplaceThroughTemporary(const fs::path& target, std::string_view bytes,
                                 DWORD oldAttributes) {
  fs::path temporary;
  FileHandle handle(CreateTemporaryBeside(target, temporary));
  if (!handle.valid()) {
    return IsRefusal(::GetLastError()) ? Replaced::kFolderRefused : Replaced::kFailed;
  }
  if (!WriteAll(handle.get(), bytes) || !::FlushFileBuffers(handle.get()) || !handle.close()) {
    handle.close();
    ::DeleteFileW(temporary.c_str());
    return Replaced::kFailed;
  }
  if (!MoveIntoPlace(temporary, target, oldAttributes)) {
    const DWORD error = ::GetLastError();
    ::DeleteFileW(temporary.c_str());
    return IsRefusal(error) ? Replaced::kFolderRefused : Replaced::kFailed;
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
bool RewriteInPlace(const fs::path& file, std::string_view bytes) {
  const FileHandle handle(::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string old;
  if (!handle.valid() || !ReadToEnd(handle.get(), old)) {
    return false;
  }
  if (WriteContents(handle.get(), bytes)) {
    return true;
  }
  WriteContents(handle.get(), old);
  return false;
}

}  // namespace

bool ReplaceWholeFile(const fs::path& file, std::string_view bytes) {
  if (file.filename().empty()) {
    return false;
  }
  const DWORD attributes = ::GetFileAttributesW(file.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & kUnwritable) != 0) {
    return false;
  }
  switch (ReplaceThroughTemporary(file, bytes, attributes)) {
    case Replaced::kDone:
      return true;
    case Replaced::kFolderRefused:
      return exists && RewriteInPlace(file, bytes);
    case Replaced::kFailed:
      break;
  }
  return false;
}

}  // namespace trel
