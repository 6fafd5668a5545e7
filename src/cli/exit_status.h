#pragma once

namespace trel {

// What `trel` tells its caller through its exit status.
enum ExitStatus : int {
  kExitSuccess = 0,
  kExitFailure = 1,        // the job failed, or a recording is malformed
  kExitBadRequest = 2,     // bad arguments, or the job refused to start
  kExitPortNotOpened = 3,  // the port could not be opened
  kExitInterrupted = 130,  // Ctrl-C, SIGTERM, SIGHUP or SIGQUIT ended the job
};

}  // namespace trel
