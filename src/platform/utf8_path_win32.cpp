#include "platform/utf8_path.h"
#include "platform/wide_text_win32.h"

namespace trel {

std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(WideFromUtf8(text));
}

std::string PathToUtf8(const std::filesystem::path& path) {
  return Utf8FromWide(path.native());
}

}  // namespace trel
