#pragma once

#include <string>

namespace trel {

// Where one job tells the operator, on standard error, how it goes. Threads share it: the
// worker's message boxes, the trace of the link and the job's progress and status all come out
// here, whole lines at a time.
class JobOutput {
 public:
  virtual ~JobOutput() = default;

  // Prints a line of its own (a status text, a message box, a trace line).
  virtual void line(const std::string& text) = 0;
  // Moves the progress to `position` of 100; nothing is printed when it does not move. The first
  // call starts the clock of the elapsed time.
  virtual void progress(int position) = 0;
  // Counts one more frame written to the printer.
  virtual void frameSent() = 0;
  // Ends the progress with the job's outcome.
  virtual void finish(const std::string& outcome) = 0;
};

}  // namespace trel
