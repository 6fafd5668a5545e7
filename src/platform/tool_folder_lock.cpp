#include "platform/tool_folder_lock.h"

#include <cstdint>
#include <cstdio>

#include "platform/utf8_path.h"

namespace trel {

std::string ToolFolderLockName(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::path same = std::filesystem::weakly_canonical(folder, error);
  if (error) {
    same = folder.lexically_normal();
  }
  // FNV-1a: a name that stays the same from one build and one process to the next.
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (const char c : PathToUtf8(same)) {
    hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
  }
  char name[40];
  std::snprintf(name, sizeof name, "trel-update-%016llx", static_cast<unsigned long long>(hash));
  return name;
}

}  // namespace trel
