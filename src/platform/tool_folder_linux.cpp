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

// $HOME, or the home folder of the user's account when it is not set.
std::optional<std::string> HomeFolder() {
  if (std::optional<std::string> home = Environment("HOME")) {
    return home;
  }
  const passwd* user = ::getpwuid(::getuid());
  return user != nullptr && user->pw_dir != nullptr ? std::optional<std::string>(user->pw_dir)
                                                    : std::nullopt;
}

}  // namespace

ToolFolderSources CurrentToolFolderSources() {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  return {Environment("TREL_TOOL_DIR"), error ? fs::path() : executable.parent_path(),
          Environment("XDG_CONFIG_HOME"), HomeFolder()};
}

}  // namespace trel
