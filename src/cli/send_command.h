#pragma once

#include "cli/command_options.h"
#include "cli/console_output.h"

namespace trel {

// `trel send`: the job that the desktop tool's Start runs, over the named port, with the parameter
// list imported into a private working copy.
int RunSend(const SendOptions& options, ConsoleOutput& output);

}  // namespace trel
