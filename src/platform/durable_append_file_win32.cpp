#include <windows.h>

#include "platform/durable_append_file.h"
#include "platform/file_handle_win32.h"
#include "platform/output_file.h"

namespace trel {

namespace {

std::error_code LastError() {
  const DWORD error = ::GetLastError();
  return error != ERROR_SUCCESS ? ErrorCodeOf(error) : std::make_error_code(std::errc::io_error);
}

bool MoveTo(HANDLE file, LARGE_INTEGER offset, DWORD from) {
  return ::SetFilePointerEx(file, offset, nullptr, from) != 0;
}

}  // namespace

class DurableAppendFile::Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  HANDLE get() const { return handle_.get(); }
  bool valid() const { return handle_.valid(); }

 private:
  FileHandle handle_;
};

DurableAppendFile::DurableAppendFile() = default;
DurableAppendFile::~DurableAppendFile() = default;

std::error_code DurableAppendFile::open(const std::filesystem::path& file) {
  if (IsFolder(file)) {
    return NotARegularFile();
  }
  ::SetLastError(ERROR_SUCCESS);
  // Write access rather than append-only data access: a record that fails part way is cut off
  // again, which needs the end of the file to be set.
  auto handle = std::make_unique<Handle>(
      ::CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle->valid()) {
    return LastError();
  }
  if (::GetFileType(handle->get()) != FILE_TYPE_DISK) {
    return NotARegularFile();
  }
  handle_ = std::move(handle);
  return {};
}

std::error_code DurableAppendFile::append(std::string_view bytes) {
  ::SetLastError(ERROR_SUCCESS);
  LARGE_INTEGER before{};
  if (!::GetFileSizeEx(handle_->get(), &before) || !MoveTo(handle_->get(), {}, FILE_END)) {
    return LastError();
  }
  if (!WriteAll(handle_->get(), bytes)) {
    const std::error_code error = LastError();
    // Whatever part went in comes out again, so the file ends where the last whole record ends.
    if (MoveTo(handle_->get(), before, FILE_BEGIN)) {
      ::SetEndOfFile(handle_->get());
    }
    return error;
  }
  return ::FlushFileBuffers(handle_->get()) ? std::error_code() : LastError();
}

}  // namespace trel
