#pragma once

#include <sys/types.h>

#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace trel::testing {

// Runs trel-printer-sim for one test: starts it with the given options, learns its port from the
// first line it prints, collects the rest of its output, and stops it (SIGTERM) when the object
// goes. The executable is $TREL_BIN_DIR/trel-printer-sim, else ../bin next to the test binary.
class PrinterSimProcess {
 public:
  explicit PrinterSimProcess(const std::vector<std::string>& options = {});
  PrinterSimProcess(const PrinterSimProcess&) = delete;
  PrinterSimProcess& operator=(const PrinterSimProcess&) = delete;
  ~PrinterSimProcess();

  // The port to open, "/dev/pts/4"; empty when the simulator did not start.
  const std::string& portPath() const { return portPath_; }
  bool started() const { return !portPath_.empty(); }

  // Waits for the simulator to end by itself (a hang-up fault, --idle-exit) and returns its exit
  // code, or -1 when it was killed by a signal.
  int waitForExit();
  // Stops it with SIGTERM and returns its exit code as waitForExit() does. Idempotent.
  int stop();
  // What it printed after the port line (--verbose); complete once it has ended.
  std::string output() const;

  static std::filesystem::path ExecutablePath();

 private:
  void collectOutput(int fd);
  int reap();

  pid_t pid_ = -1;
  std::optional<int> exitCode_;
  std::string portPath_;
  mutable std::mutex outputMutex_;
  std::string output_;
  std::thread collector_;
};

}  // namespace trel::testing
