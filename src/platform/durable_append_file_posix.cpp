#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/durable_append_file.h"
#include "platform/file_descriptor_posix.h"
#include "platform/output_file.h"
#include "platform/whole_file.h"

namespace trel {

namespace {

constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;

std::error_code LastError() {
  return {errno != 0 ? errno : EIO, std::generic_category()};
}

std::error_code PermissionDenied() {
  return std::make_error_code(std::errc::permission_denied);
}

// What keeps the file from being appended to before it is opened: a folder, pipe or device in its
// place, or no write permission where a file would be written or made.
std::error_code RefusalBeforeOpening(const std::filesystem::path& file) {
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0) {
    // A missing folder is left to the open, which names that reason.
    const std::filesystem::path folder = file.parent_path().empty() ? "." : file.parent_path();
    std::error_code missing;
    return errno == ENOENT && std::filesystem::is_directory(folder, missing) &&
                   !IsWritableFolder(folder)
               ? PermissionDenied()
               : std::error_code();
  }
  if (!S_ISREG(info.st_mode)) {
    return NotARegularFile();
  }
  return (info.st_mode & kAnyWrite) == 0 ? PermissionDenied() : std::error_code();
}

}  // namespace

class DurableAppendFile::Handle {
 public:
  explicit Handle(int fd) : fd_(fd) {}
  int get() const { return fd_.get(); }

 private:
  FileDescriptor fd_;
};

DurableAppendFile::DurableAppendFile() = default;
DurableAppendFile::~DurableAppendFile() = default;

std::error_code DurableAppendFile::open(const std::filesystem::path& file) {
  if (const std::error_code refusal = RefusalBeforeOpening(file)) {
    return refusal;
  }
  // Non-blocking: should a pipe have taken the name since the check, the open does not wait for a
  // reader.
  auto handle = std::make_unique<Handle>(::open(
      file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666));
  if (handle->get() < 0) {
    return LastError();
  }
  struct stat info {};
  if (::fstat(handle->get(), &info) != 0) {
    return LastError();
  }
  if (!S_ISREG(info.st_mode)) {
    return NotARegularFile();
  }
  handle_ = std::move(handle);
  return {};
}

std::error_code DurableAppendFile::append(std::string_view bytes) {
  errno = 0;
  struct stat before {};
  if (::fstat(handle_->get(), &before) != 0) {
    return LastError();
  }
  if (!WriteAll(handle_->get(), bytes)) {
    const std::error_code error = LastError();
    // Whatever part went in comes out again, so the file ends where the last whole record ends.
    [[maybe_unused]] const int cut = ::ftruncate(handle_->get(), before.st_size);
    return error;
  }
  return ::fsync(handle_->get()) == 0 ? std::error_code() : LastError();
}

}  // namespace trel
