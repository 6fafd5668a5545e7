#pragma once

#include <QString>
#include <filesystem>

namespace trel {

// The files of the tool folder and the folder itself, the file dialogs' fallback starting folder.
struct WindowPaths {
  std::filesystem::path settingsFile;  // "TrelTool.ini"
  std::filesystem::path workingCopy;   // "TrelDefault.ini"
  QString toolFolder;

  static WindowPaths InFolder(const std::filesystem::path& folder);

  // The folder a file dialog starts in: the folder part of the path, or the tool folder when that
  // part is shorter than two characters.
  QString startFolderFor(const QString& path) const;
};

}  // namespace trel
