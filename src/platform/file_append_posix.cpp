#include <fcntl.h>

#include <cerrno>
#include <string_view>

#include "platform/file_append.h"
#include "platform/file_descriptor_posix.h"

namespace trel {

namespace {

// The reason of the call that failed last; a write that took no byte sets none, so it counts as
// an input/output error.
std::error_code LastError() {
  return {errno != 0 ? errno : EIO, std::generic_category()};
}

}  // namespace

std::error_code AppendToExistingFile(const std::filesystem::path& file,
                                     std::span<const std::uint8_t> bytes) {
  errno = 0;
  // No O_CREAT: a file removed since it was made is not brought back.
  FileDescriptor fd(::open(file.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC));
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (fd.get() < 0 || !WriteAll(fd.get(), text) || !fd.close()) {
    return LastError();
  }
  return {};
}

}  // namespace trel
