#include "app/window_paths.h"

#include "app/qt_text.h"
#include "platform/tool_folder.h"

namespace trel {

WindowPaths WindowPaths::InFolder(const std::filesystem::path& folder) {
  return WindowPaths{folder / "TrelTool.ini", folder / "TrelDefault.ini", PathToQString(folder)};
}

QString WindowPaths::startFolderFor(const QString& path) const {
  const std::u16string folder = FolderPart(ToU16(path));
  return folder.size() < 2 ? toolFolder : ToQString(folder);
}

}  // namespace trel
