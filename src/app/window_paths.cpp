#include "app/window_paths.h"

#include "platform/tool_folder.h"

namespace trel {

WindowPaths WindowPaths::InFolder(const std::filesystem::path& folder) {
  return WindowPaths{folder / "TrelTool.ini", folder / "TrelDefault.ini", folder.u16string()};
}

std::u16string WindowPaths::startFolderFor(std::u16string_view path) const {
  const std::u16string folder = FolderPart(path);
  return folder.size() < 2 ? toolFolder : folder;
}

}  // namespace trel
