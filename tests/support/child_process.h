#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace trel::testing {

// One of our programs: $TREL_BIN_DIR/name, else ../bin/name next to the running test binary.
std::filesystem::path ProgramPath(std::string_view name);

// Starts `program` with `arguments` (the program's own name is put in front) and `environment`
// ("NAME=value" entries; empty: this process's environment), its standard output and error sent to
// the given descriptors. Returns the child's pid, or -1 when it could not be started.
pid_t SpawnProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                   int stdoutFd, int stderrFd, const std::vector<std::string>& environment = {});

}  // namespace trel::testing
