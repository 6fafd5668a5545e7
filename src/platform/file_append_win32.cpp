#include <windows.h>

#include <string_view>

#include "platform/file_append.h"
#include "platform/file_handle_win32.h"

namespace trel {

namespace {

// The reason of the call that failed last; a write that took no byte sets none, so it counts as
// an input/output error.
std::error_code LastError() {
  const DWORD error = ::GetLastError();
  return error != ERROR_SUCCESS ? ErrorCodeOf(error) : std::make_error_code(std::errc::io_error);
}

}  // namespace

std::error_code AppendToExistingFile(const std::filesystem::path& file,
                                     std::span<const std::uint8_t> bytes) {
  ::SetLastError(ERROR_SUCCESS);
  // OPEN_EXISTING: a file removed since it was made is not brought back. FILE_APPEND_DATA alone
  // puts every write at the end.
  FileHandle handle(::CreateFileW(file.c_str(), FILE_APPEND_DATA,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (!handle.valid() || !WriteAll(handle.get(), text) || !handle.close()) {
    return LastError();
  }
  return {};
}

}  // namespace trel
