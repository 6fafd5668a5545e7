#include "support/printer_sim_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "support/child_process.h"

namespace trel::testing {
namespace {

// Reads up to the first line break; the rest stays in the pipe for the collector.
std::string ReadFirstLine(int fd) {
  std::string line;
  char c = 0;
  while (::read(fd, &c, 1) == 1 && c != '\n') {
    line += c;
  }
  return line;
}

}  // namespace

std::filesystem::path PrinterSimProcess::ExecutablePath() {
  return ProgramPath("trel-printer-sim");
}

PrinterSimProcess::PrinterSimProcess(const std::vector<std::string>& options) {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) {
    return;
  }
  pid_ = SpawnProgram(ExecutablePath(), options, ends[1], STDERR_FILENO);
  ::close(ends[1]);
  if (pid_ < 0) {
    ::close(ends[0]);
    return;
  }
  portPath_ = ReadFirstLine(ends[0]);
  collector_ = std::thread(&PrinterSimProcess::collectOutput, this, ends[0]);
}

PrinterSimProcess::~PrinterSimProcess() {
  stop();
  if (collector_.joinable()) {
    collector_.join();
  }
}

void PrinterSimProcess::collectOutput(int fd) {
  char buffer[4096];
  ssize_t got = 0;
  while ((got = ::read(fd, buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR)) {
    if (got > 0) {
      std::lock_guard lock(outputMutex_);
      output_.append(buffer, static_cast<std::size_t>(got));
    }
  }
  ::close(fd);
}

int PrinterSimProcess::reap() {
  if (exitCode_ || pid_ < 0) {
    return exitCode_.value_or(-1);
  }
  int status = 0;
  pid_t done = 0;
  while ((done = ::waitpid(pid_, &status, 0)) < 0 && errno == EINTR) {
  }
  if (done != pid_) {
    return -1;
  }
  exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (collector_.joinable()) {
    collector_.join();  // the pipe has reached its end: the output is complete
  }
  return *exitCode_;
}

int PrinterSimProcess::waitForExit() {
  return reap();
}

int PrinterSimProcess::stop() {
  if (!exitCode_ && pid_ > 0) {
    ::kill(pid_, SIGTERM);
  }
  return reap();
}

std::string PrinterSimProcess::output() const {
  std::lock_guard lock(outputMutex_);
  return output_;
}

}  // namespace trel::testing
