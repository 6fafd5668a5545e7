#include "support/child_process.h"

#include <spawn.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

extern char** environ;

namespace trel::testing {
namespace {

// posix_spawn takes NULL-terminated arrays of C strings; the strings stay owned by `words`.
std::vector<char*> CStrings(std::vector<std::string>& words) {
  std::vector<char*> pointers;
  for (std::string& word : words) {
    pointers.push_back(word.data());
  }
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

std::filesystem::path ProgramPath(std::string_view name) {
  if (const char* binDir = std::getenv("TREL_BIN_DIR"); binDir != nullptr && *binDir != '\0') {
    return std::filesystem::path(binDir) / name;
  }
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return self.parent_path().parent_path() / "bin" / name;
}

pid_t SpawnProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                   int stdoutFd, int stderrFd, const std::vector<std::string>& environment) {
  std::vector<std::string> words{program.string()};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<std::string> variables(environment);
  if (!variables.empty()) {
    for (char** variable = environ; *variable != nullptr; ++variable) {
      variables.emplace_back(*variable);
    }
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, stdoutFd, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, stderrFd, STDERR_FILENO);
  pid_t pid = -1;
  const int spawned =
      ::posix_spawn(&pid, words.front().c_str(), &actions, nullptr, CStrings(words).data(),
                    variables.empty() ? environ : CStrings(variables).data());
  posix_spawn_file_actions_destroy(&actions);
  return spawned == 0 ? pid : -1;
}

}  // namespace trel::testing
