#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/tool_folder.h"

namespace trel {

namespace {

namespace fs = std::filesystem;

std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::optional<std::string>(value) : std::nullopt;
}

}  // namespace

ToolFolderSources CurrentToolFolderSources() {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  return {Environment("TREL_TOOL_DIR"), error ? fs::path() : executable.parent_path(),
          Environment("XDG_CONFIG_HOME"), Environment("HOME")};
}

fs::path ConfigFolderBelowHome(const std::optional<std::string>& home) {
  fs::path folder = home ? fs::path(*home) : fs::path();
  if (folder.empty()) {
    const passwd* user = ::getpwuid(::getuid());
    folder = user != nullptr && user->pw_dir != nullptr ? fs::path(user->pw_dir) : fs::path(".");
  }
  return folder / ".config";
}

}  // namespace trel
