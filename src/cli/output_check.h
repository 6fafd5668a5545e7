#pragma once

namespace trel {

// The exit status once standard output and error have been written out: a command that succeeded
// but whose output did not all go through failed (kExitFailure), with the reason on standard error
// when that still takes it. Any other status stays.
int StatusAfterOutput(int status);

}  // namespace trel
