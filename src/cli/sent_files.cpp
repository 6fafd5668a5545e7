#include "cli/sent_files.h"

#include <span>
#include <system_error>

#include "platform/sha256.h"
#include "platform/utf8_path.h"
#include "platform/whole_file.h"

namespace trel {

SentFiles::SentFiles(const std::vector<std::filesystem::path>& files) {
  for (const std::filesystem::path& file : files) {
    std::error_code error;
    if (const std::optional<std::string> bytes = ReadWholeFile(file, error)) {
      const std::span data(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size());
      files_[file] = {PathToUtf8(file), bytes->size(), Sha256Hex(data)};
    }
  }
}

std::optional<SentFile> SentFiles::find(const std::filesystem::path& file) const {
  const auto found = files_.find(file);
  return found == files_.end() ? std::nullopt : std::optional(found->second);
}

}  // namespace trel
