#include <windows.h>

#include "platform/file_handle_win32.h"
#include "platform/output_file.h"

namespace trel {

std::error_code CreateEmptyRegularFile(const std::filesystem::path& file) {
  if (IsFolder(file)) {
    return NotARegularFile();
  }
  // OPEN_ALWAYS, not CREATE_ALWAYS: a device (COM1, NUL) or a pipe behind the name is opened
  // without emptying anything, and refused below; a regular file is emptied only once its kind is
  // known.
  FileHandle handle(::CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle.valid()) {
    return ErrorCodeOf(::GetLastError());
  }
  if (::GetFileType(handle.get()) != FILE_TYPE_DISK) {
    return NotARegularFile();
  }
  if (!::SetEndOfFile(handle.get()) || !handle.close()) {
    return ErrorCodeOf(::GetLastError());
  }
  return {};
}

}  // namespace trel
