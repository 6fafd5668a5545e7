#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_descriptor_posix.h"
#include "platform/output_file.h"

namespace trel {

namespace {

std::error_code LastError() {
  return {errno, std::generic_category()};
}

}  // namespace

std::error_code CreateEmptyRegularFile(const std::filesystem::path& file) {
  struct stat info {};
  if (::stat(file.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
    return NotARegularFile();
  }
  // Non-blocking and not truncating: should the name have been replaced by a pipe or a device
  // since the check, the open neither waits for a reader nor empties anything.
  FileDescriptor fd(
      ::open(file.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666));
  if (fd.get() < 0) {
    return LastError();
  }
  if (::fstat(fd.get(), &info) != 0) {
    return LastError();
  }
  if (!S_ISREG(info.st_mode)) {
    return NotARegularFile();
  }
  if (::ftruncate(fd.get(), 0) != 0 || !fd.close()) {
    return LastError();
  }
  return {};
}

}  // namespace trel
