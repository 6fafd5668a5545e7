#include "platform/tool_folder.h"

#include "platform/whole_file.h"

namespace trel {

namespace {

namespace fs = std::filesystem;

constexpr char16_t kSeparator = u'/';
constexpr const char* kSettingsFileName = "TrelTool.ini";

bool IsPortableFolder(const fs::path& folder) {
  std::error_code error;
  return fs::exists(folder / kSettingsFileName, error) || IsWritableFolder(folder);
}

fs::path UserConfigFolder(const ToolFolderSources& sources) {
  // Relative values of $XDG_CONFIG_HOME are to be ignored, as the XDG rules say.
  if (sources.configHome && fs::path(*sources.configHome).is_absolute()) {
    return fs::path(*sources.configHome) / "trel-update";
  }
  const fs::path home = sources.home ? fs::path(*sources.home) : fs::path(".");
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
    return WithCreatedFolder(*sources.toolDir);
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
  const std::size_t last = path.rfind(kSeparator);
  if (path.size() <= 1 || last == std::u16string_view::npos) {
    return {};
  }
  return std::u16string(path.substr(0, last));
}

std::u16string JoinFolderAndName(std::u16string_view folder, std::u16string_view name) {
  if (folder.empty()) {
    return std::u16string(name);
  }
  return std::u16string(folder) + kSeparator + std::u16string(name);
}

}  // namespace trel
