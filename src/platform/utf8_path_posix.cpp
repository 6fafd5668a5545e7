#include "platform/utf8_path.h"

namespace trel {

std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(std::string(text));
}

std::string PathToUtf8(const std::filesystem::path& path) {
  return path.native();
}

}  // namespace trel
