#include "e2e/trel_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "support/child_process.h"

namespace trel::testing {
namespace {

// Opens a pseudo-terminal like a pipe: ends[0] the side the test reads (the master), ends[1] the
// side the program writes (the port side, raw so that no line end is translated).
bool OpenTerminal(int ends[2]) {
  ends[0] = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  std::array<char, 128> name{};
  if (ends[0] < 0 || ::grantpt(ends[0]) != 0 || ::unlockpt(ends[0]) != 0 ||
      ::ptsname_r(ends[0], name.data(), name.size()) != 0) {
    return false;
  }
  ends[1] = ::open(name.data(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  termios settings{};
  if (ends[1] < 0 || ::tcgetattr(ends[1], &settings) != 0) {
    return false;
  }
  ::cfmakeraw(&settings);
  return ::tcsetattr(ends[1], TCSANOW, &settings) == 0;
}

}  // namespace

TrelProcess::TrelProcess(const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment, ErrorOutput errorOutput)
    : TrelProcess(ProgramPath("trel"), arguments, environment, errorOutput) {}

TrelProcess::TrelProcess(const std::filesystem::path& program,
                         const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment, ErrorOutput errorOutput) {
  int out[2] = {-1, -1};
  int err[2] = {-1, -1};
  const bool opened =
      ::pipe2(out, O_CLOEXEC) == 0 &&
      (errorOutput == ErrorOutput::kTerminal ? OpenTerminal(err) : ::pipe2(err, O_CLOEXEC) == 0);
  if (opened) {
    pid_ = SpawnProgram(program, arguments, out[1], err[1], environment);
  }
  for (const int end : {out[1], err[1]}) {
    if (end >= 0) {
      ::close(end);
    }
  }
  pipes_ = {out[0], err[0]};
  if (!opened) {
    closePipes();
  }
}

TrelProcess::~TrelProcess() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  closePipes();
}

bool TrelProcess::waitForError(const std::string& text, std::chrono::milliseconds limit) {
  return gather(Clock::now() + limit, [&] { return run_.err.find(text) != std::string::npos; }) &&
         run_.err.find(text) != std::string::npos;
}

void TrelProcess::signal(int number) {
  if (pid_ > 0) {
    ::kill(pid_, number);
  }
}

TrelRun TrelProcess::finish(std::chrono::seconds limit) {
  if (pid_ <= 0) {
    return run_;
  }
  run_.timedOut = !gather(Clock::now() + limit, [] { return false; });
  if (run_.timedOut) {
    ::kill(pid_, SIGKILL);
  }
  int status = 0;
  while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  pid_ = -1;
  closePipes();
  run_.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run_;
}

bool TrelProcess::gather(Clock::time_point deadline, const std::function<bool()>& done) {
  std::array<std::string*, 2> into{&run_.out, &run_.err};
  while (!done() && (pipes_[0] >= 0 || pipes_[1] >= 0)) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) {
      return false;
    }
    pollfd polled[2] = {{pipes_[0], POLLIN, 0}, {pipes_[1], POLLIN, 0}};
    if (::poll(polled, 2, static_cast<int>(left.count())) < 0 && errno != EINTR) {
      return false;
    }
    for (std::size_t i = 0; i < pipes_.size(); ++i) {
      if (pipes_[i] < 0 || polled[i].revents == 0) {
        continue;
      }
      char buffer[4096];
      const ssize_t got = ::read(pipes_[i], buffer, sizeof buffer);
      if (got > 0) {
        into[i]->append(buffer, static_cast<std::size_t>(got));
      } else if (got == 0 || errno != EINTR) {
        ::close(pipes_[i]);
        pipes_[i] = -1;
      }
    }
  }
  return true;
}

void TrelProcess::closePipes() {
  for (int& pipe : pipes_) {
    if (pipe >= 0) {
      ::close(pipe);
      pipe = -1;
    }
  }
}

}  // namespace trel::testing
