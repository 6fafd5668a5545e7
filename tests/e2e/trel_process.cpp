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

// The write end the child gets and the read end this process keeps (-1: none): the named file when
// one is given, else a pipe or a terminal.
std::array<int, 2> OutputEnds(const std::string& file, ErrorOutput kind) {
  if (!file.empty()) {
    return {::open(file.c_str(), O_WRONLY | O_CLOEXEC), -1};
  }
  int ends[2] = {-1, -1};
  if (kind == ErrorOutput::kTerminal ? OpenTerminal(ends) : ::pipe2(ends, O_CLOEXEC) == 0) {
    return {ends[1], ends[0]};
  }
  for (const int end : ends) {
    if (end >= 0) {
      ::close(end);
    }
  }
  return {-1, -1};
}

}  // namespace

TrelProcess::TrelProcess(const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment, const TrelRedirect& redirect)
    : TrelProcess(ProgramPath("trel"), arguments, environment, redirect) {}

TrelProcess::TrelProcess(const std::filesystem::path& program,
                         const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment,
                         const TrelRedirect& redirect) {
  const std::array<int, 2> out = OutputEnds(redirect.out, ErrorOutput::kPipe);
  const std::array<int, 2> err = OutputEnds(redirect.err, redirect.errorOutput);
  pipes_ = {out[1], err[1]};
  if (out[0] >= 0 && err[0] >= 0) {
    pid_ = SpawnProgram(program, arguments, out[0], err[0], environment);
  }
  for (const int end : {out[0], err[0]}) {
    if (end >= 0) {
      ::close(end);
    }
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

void TrelProcess::closeErrorPipe() {
  if (pipes_[1] >= 0) {
    ::close(pipes_[1]);
    pipes_[1] = -1;
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
