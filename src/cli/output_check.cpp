#include "cli/output_check.h"

#include <iostream>
#include <string>

#include "cli/exit_status.h"
#include "platform/standard_streams.h"

namespace trel {

int StatusAfterOutput(int status) {
  // The standard streams write through stdio, so its flush writes out what they hold.
  const std::error_code output = FlushStandardStream(StandardStream::kOutput);
  if (output) {
    std::cerr << "trel: standard output: " << output.message() << '\n';
  }
  const std::error_code error = FlushStandardStream(StandardStream::kError);
  const bool lost = output || error || !std::cout || !std::cerr;
  return lost && status == kExitSuccess ? kExitFailure : status;
}

}  // namespace trel
