#include "e2e/trel_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "support/printer_sim_process.h"

extern char** environ;

namespace trel::testing {

namespace {

using Clock = std::chrono::steady_clock;

struct Pipe {
  int read = -1;
  int write = -1;
};

Pipe MakePipe() {
  int ends[2] = {-1, -1};
  if (::pipe2(ends, O_CLOEXEC) != 0) {
    return {};
  }
  return {ends[0], ends[1]};
}

pid_t Spawn(const std::vector<std::string>& arguments, const Pipe& out, const Pipe& err) {
  const std::string program = (PrinterSimProcess::ExecutablePath().parent_path() / "trel").string();
  std::vector<std::string> words{program};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) {
    argv.push_back(word.data());
  }
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out.write, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err.write, STDERR_FILENO);
  pid_t pid = -1;
  const int spawned = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return spawned == 0 ? pid : -1;
}

// Reads both pipes until they close or the deadline passes; false when the deadline passed. A pipe
// that closed has its descriptor closed and set to -1.
bool Gather(std::array<pollfd, 2>& fds, std::array<std::string*, 2> into,
            Clock::time_point deadline) {
  int open = 2;
  while (open > 0) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) {
      return false;
    }
    if (::poll(fds.data(), fds.size(), static_cast<int>(left.count())) < 0 && errno != EINTR) {
      return false;
    }
    for (std::size_t i = 0; i < fds.size(); ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) {
        continue;
      }
      char buffer[4096];
      const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
      if (got > 0) {
        into[i]->append(buffer, static_cast<std::size_t>(got));
      } else if (got == 0 || errno != EINTR) {
        ::close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
  return true;
}

}  // namespace

TrelRun RunTrel(const std::vector<std::string>& arguments, std::chrono::seconds limit) {
  TrelRun run;
  const Pipe out = MakePipe();
  const Pipe err = MakePipe();
  const pid_t pid = Spawn(arguments, out, err);
  ::close(out.write);
  ::close(err.write);
  if (pid < 0) {
    ::close(out.read);
    ::close(err.read);
    return run;
  }
  std::array<pollfd, 2> fds{pollfd{out.read, POLLIN, 0}, pollfd{err.read, POLLIN, 0}};
  run.timedOut = !Gather(fds, {&run.out, &run.err}, Clock::now() + limit);
  if (run.timedOut) {
    ::kill(pid, SIGKILL);
  }
  for (const pollfd& fd : fds) {
    if (fd.fd >= 0) {
      ::close(fd.fd);
    }
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace trel::testing
