#pragma once

#include <chrono>
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

// Runs $TREL_BIN_DIR/trel (else ../bin/trel next to the test binary) with the arguments, gathering
// its output; a run that outlives the limit is killed and reported as timed out, so no test hangs.
TrelRun RunTrel(const std::vector<std::string>& arguments,
                std::chrono::seconds limit = std::chrono::seconds(30));

}  // namespace trel::testing
