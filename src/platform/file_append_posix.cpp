#include <fcntl.h>

#include <string_view>

#include "platform/file_append.h"
#include "platform/file_descriptor_posix.h"

namespace trel {

bool AppendToExistingFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes) {
  // No O_CREAT: a file removed since it was made is not brought back.
  FileDescriptor fd(::open(file.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC));
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return fd.get() >= 0 && WriteAll(fd.get(), text) && fd.close();
}

}  // namespace trel
