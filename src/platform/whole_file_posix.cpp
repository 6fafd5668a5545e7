#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_descriptor_posix.h"
#include "platform/whole_file.h"

namespace trel {

namespace fs = std::filesystem;

std::optional<std::string> ReadWholeFile(const fs::path& file, std::error_code& error) {
  error.clear();
  // Non-blocking, so that a pipe or a device given as a file cannot hang the caller.
  FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat info {};
  if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0) {
    error.assign(errno, std::generic_category());
    return std::nullopt;
  }
  if (!S_ISREG(info.st_mode)) {
    error = std::make_error_code(S_ISDIR(info.st_mode) ? std::errc::is_a_directory
                                                       : std::errc::invalid_argument);
    return std::nullopt;
  }
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(info.st_size));
  if (!ReadToEnd(fd.get(), bytes)) {
    error.assign(errno, std::generic_category());
    return std::nullopt;
  }
  return bytes;
}

bool IsWritableFolder(const fs::path& folder) {
  struct stat info {};
  return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
         (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 &&
         ::access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace trel
