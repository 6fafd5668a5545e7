#pragma once

#include <string>
#include <vector>

namespace trel::bench {

// One run of `trel` as a child process, measured.
struct ChildRun {
  int exitCode = -1;
  double wallSeconds = 0;
  double cpuSeconds = 0;  // user and system time of the child
};

// Runs trel with the arguments, its output discarded so that only the figures are printed.
ChildRun RunTrel(const std::vector<std::string>& arguments);

}  // namespace trel::bench
