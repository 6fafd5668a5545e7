#include "platform/tool_folder.h"

#include "platform/path_separators.h"
#include "platform/utf8_path.h"
#include "platform/whole_file.h"

namespace trel {

namespace {

namespace fs = std::filesystem;

constexpr const char* kSettingsFileName = "TrelTool.ini";

bool IsPortableFolder(const fs::path& folder) {
  std::error_code error;
  return fs::exists(folder / kSettingsFileName, error) || IsWritableFolder(folder);
}

fs::path UserConfigFolder(const ToolFolderSources& sources) {
  // Relative values of $XDG_CONFIG_HOME are to be ignored, as the XDG rules say.
  if (sources.configHome && PathFromUtf8(*sources.configHome).is_absolute()) {
    return PathFromUtf8(*sources.configHome) / "trel-update";
  }
  const fs::path home = sources.home ? PathFromUtf8(*sources.home) : fs::path(".");
  return home / ".config" / "trel-update";
}

fs::path WithCreatedFolder(fs::path folder) {
  std::error_code error;
  fs::create_directories(folder, error);  // a failure shows later, when a file there is written
  return folder;
}

}  // namespace

fs::path ChooseToolFolder(const ToolFolderSources& sources) {
  if (sources.toolDir) {
    return WithCreatedFolder(PathFromUtf8(*sources.toolDir));
  }
  if (!sources.executableFolder.empty() &&
      sources.executableFolder != sources.installedProgramFolder &&
      IsPortableFolder(sources.executableFolder)) {
    return sources.executableFolder;
  }
  return WithCreatedFolder(UserConfigFolder(sources));
}

fs::path ToolFolder() {
  return ChooseToolFolder(CurrentToolFolderSources());
}

fs::path SettingsFilePath() {
  return ToolFolder() / kSettingsFileName;
}

fs::path WorkingCopyPath() {
  return ToolFolder() / "TrelDefault.ini";
}

std::u16string FolderPart(std::u16string_view path) {
  const std::size_t last = path.find_last_of(kFolderSeparators);
  if (path.size() <= 1 || last == std::u16string_view::npos) {
    return {};
  }
  return std::u16string(path.substr(0, last));
}

std::u16string JoinFolderAndName(std::u16string_view folder, std::u16string_view name) {
  if (folder.empty()) {
    return std::u16string(name);
  }
  return std::u16string(folder) + kJoiningSeparator + std::u16string(name);
}

}  // namespace trel
