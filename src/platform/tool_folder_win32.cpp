#include <windows.h>

#include <string>

#include "platform/tool_folder.h"
#include "platform/wide_text_win32.h"

namespace trel {

namespace {

namespace fs = std::filesystem;

std::optional<std::string> Environment(const wchar_t* name) {
  const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
  if (size <= 1) {
    return std::nullopt;
  }
  std::wstring value(size, L'\0');
  value.resize(::GetEnvironmentVariableW(name, value.data(), size));
  return value.empty() ? std::nullopt : std::optional<std::string>(Utf8FromWide(value));
}

fs::path ExecutableFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) {
      return {};
    }
    if (length < path.size()) {
      path.resize(length);
      return fs::path(path).parent_path();
    }
    path.resize(path.size() * 2);
  }
}

// The roaming application data folder, %APPDATA%; without it, where it lies below the profile.
std::optional<std::string> ApplicationDataFolder(const std::optional<std::string>& profile) {
  if (std::optional<std::string> folder = Environment(L"APPDATA")) {
    return folder;
  }
  return profile ? std::optional<std::string>(*profile + "\\AppData\\Roaming") : std::nullopt;
}

}  // namespace

ToolFolderSources CurrentToolFolderSources() {
  const std::optional<std::string> profile = Environment(L"USERPROFILE");
  return {Environment(L"TREL_TOOL_DIR"),
          ExecutableFolder(),
          ApplicationDataFolder(profile),
          profile,
          {}};
}

}  // namespace trel
