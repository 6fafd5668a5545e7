#pragma once

#include <sys/types.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace trel::testing {

// What one run of `trel` did.
struct TrelRun {
  int exitCode = -1;  // -1 when it was killed
  bool timedOut = false;
  std::string out;
  std::string err;
};

// Where `trel` writes its standard error: a pipe, as in a log or CI, or a terminal (the port side
// of a raw pseudo-terminal, so its bytes arrive unchanged), as an operator sees it.
enum class ErrorOutput { kPipe, kTerminal };

// Files that take the place of the pipes for standard output and error (empty: no file), and what
// standard error is when it is not a file.
struct TrelRedirect {
  std::string out;
  std::string err;
  ErrorOutput errorOutput = ErrorOutput::kPipe;
};

// A running $TREL_BIN_DIR/trel (else ../bin/trel next to the test binary), its output gathered.
// Every wait has a limit and a run that outlives it is killed, so no test hangs.
class TrelProcess {
 public:
  // `environment` entries ("NAME=value") are added to this process's environment.
  explicit TrelProcess(const std::vector<std::string>& arguments,
                       const std::vector<std::string>& environment = {},
                       const TrelRedirect& redirect = {});
  // Another program than `trel`, by its path, watched the same way.
  TrelProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
              const std::vector<std::string>& environment = {}, const TrelRedirect& redirect = {});
  TrelProcess(const TrelProcess&) = delete;
  TrelProcess& operator=(const TrelProcess&) = delete;
  ~TrelProcess();

  // Gathers output until `text` has appeared on stderr; false when the limit passed first.
  bool waitForError(const std::string& text, std::chrono::milliseconds limit);
  void signal(int number);
  // Stops reading standard error: trel's next write there meets a pipe without a reader.
  void closeErrorPipe();
  // Gathers the rest of the output and waits for the end; kills the process after the limit.
  TrelRun finish(std::chrono::seconds limit = std::chrono::seconds(30));

 private:
  using Clock = std::chrono::steady_clock;
  // Reads both pipes until `done` holds, they both close or the deadline passes; false when the
  // deadline passed.
  bool gather(Clock::time_point deadline, const std::function<bool()>& done);
  void closePipes();

  pid_t pid_ = -1;
  std::array<int, 2> pipes_{-1, -1};  // the read ends of stdout and stderr
  TrelRun run_;
};

inline TrelRun RunTrel(const std::vector<std::string>& arguments,
                       std::chrono::seconds limit = std::chrono::seconds(30)) {
  return TrelProcess(arguments).finish(limit);
}

inline TrelRun RunProgram(const std::filesystem::path& program,
                          const std::vector<std::string>& arguments) {
  return TrelProcess(program, arguments).finish();
}

}  // namespace trel::testing
