#include "platform/standard_streams.h"

#include <cerrno>
#include <cstdio>

namespace trel {

std::error_code FlushStandardStream(StandardStream stream) {
  std::FILE* file = stream == StandardStream::kOutput ? stdout : stderr;
  errno = 0;
  if (std::fflush(file) == 0 && std::ferror(file) == 0) {
    return {};
  }
  // An earlier failure left only the error flag: its reason is gone.
  return {errno != 0 ? errno : EIO, std::generic_category()};
}

}  // namespace trel
