#include "trel_child_run.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

#include "support/child_process.h"

namespace trel::bench {

ChildRun RunTrel(const std::vector<std::string>& arguments) {
  ChildRun run;
  const int discard = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid =
      testing::SpawnProgram(testing::ProgramPath("trel"), arguments, discard, discard);
  ::close(discard);
  if (pid < 0) {
    return run;
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  run.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                   static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace trel::bench
