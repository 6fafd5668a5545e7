#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace trel {

// The files of the tool folder and the folder itself, the file dialogs' fallback starting folder.
struct WindowPaths {
  std::filesystem::path settingsFile;  // "TrelTool.ini"
  std::filesystem::path workingCopy;   // "TrelDefault.ini"
  std::u16string toolFolder;

  static WindowPaths InFolder(const std::filesystem::path& folder);

  // The folder a file dialog starts in: the folder part of the path, or the tool folder when that
  // part is shorter than two characters.
  std::u16string startFolderFor(std::u16string_view path) const;
};

}  // namespace trel
