#include <windows.h>

#include "platform/file_handle_win32.h"
#include "platform/whole_file.h"

namespace trel {

namespace {

namespace fs = std::filesystem;

constexpr DWORD kUnwritable =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DEVICE;

// Puts the finished temporary file in the target's place. Replacing keeps the old file's
// attributes and access rights; a target that does not exist yet is renamed into.
bool MoveIntoPlace(const fs::path& temporary, const fs::path& target, bool exists) {
  if (!exists && ::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  // Also when the target has appeared since it was looked at.
  return ::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                        nullptr, nullptr) != FALSE;
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
