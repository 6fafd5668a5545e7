#include <stdlib.h>

#include <cerrno>
#include <string>
#include <system_error>

#include "platform/temporary_folder.h"

namespace trel {

std::filesystem::path CreateTemporaryFolder(std::string_view prefix) {
  std::string pattern =
      (std::filesystem::temp_directory_path() / (std::string(prefix) + "XXXXXX")).string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw std::filesystem::filesystem_error("cannot create a temporary folder", pattern,
                                            std::error_code(errno, std::generic_category()));
  }
  return pattern;
}

}  // namespace trel
