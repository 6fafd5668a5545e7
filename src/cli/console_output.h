#pragma once

#include <chrono>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>

namespace trel {

// The one place where `trel send` and `trel record` talk to the operator on stderr. Threads share
// it: the worker's message boxes, the trace of the link and the main thread's progress and status
// all come out here, whole lines at a time. On a terminal the progress is one line redrawn in place
// below the other lines (bar, percent, frames sent, time since the job began) that ends with the
// job's outcome; elsewhere it is a plain line every ten steps, so logs stay readable.
class ConsoleOutput {
 public:
  ConsoleOutput(std::ostream& stream, bool terminal) : stream_(stream), terminal_(terminal) {}

  // Prints a line of its own (a status text, a message box, a trace line).
  void line(const std::string& text);
  // Moves the progress to `position` of 100; nothing is printed when it does not move. The first
  // call starts the clock of the elapsed time.
  void progress(int position);
  // Counts one more frame written to the printer.
  void frameSent();
  // Ends the progress with the job's outcome: on a terminal the progress line ends with it;
  // elsewhere it is a line of its own.
  void finish(const std::string& outcome);

 private:
  using Clock = std::chrono::steady_clock;
  static constexpr int kPlainLineEvery = 10;

  // The progress line as it stands now, without a line end.
  std::string progressText() const;
  void drawProgress();
  void clearProgress();

  std::mutex mutex_;
  std::ostream& stream_;
  const bool terminal_;
  int position_ = 0;
  int framesSent_ = 0;
  std::optional<Clock::time_point> started_;
  bool progressShown_ = false;
};

}  // namespace trel
