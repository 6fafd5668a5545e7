#pragma once

#include <mutex>
#include <ostream>
#include <string>

namespace trel {

// The one place where `trel send` and `trel record` talk to the operator on stderr. Threads share
// it: the worker's message boxes, the trace of the link and the main thread's progress and status
// all come out here, whole lines at a time. On a terminal the progress is a bar redrawn in place
// below the other lines; elsewhere it is a plain line every ten steps, so logs stay readable.
class ConsoleOutput {
 public:
  ConsoleOutput(std::ostream& stream, bool terminal) : stream_(stream), terminal_(terminal) {}

  // Prints a line of its own (a status text, a message box, a trace line).
  void line(const std::string& text);
  // Moves the progress bar to `position` of 100; nothing is printed when it does not move.
  void progress(int position);
  // Ends the bar's line, so what follows starts on a fresh line.
  void finish();

 private:
  static constexpr int kPlainLineEvery = 10;

  void drawBar();
  void clearBar();

  std::mutex mutex_;
  std::ostream& stream_;
  const bool terminal_;
  int position_ = 0;
  bool barShown_ = false;
};

}  // namespace trel
