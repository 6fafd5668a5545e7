#pragma once

#include "cli/command_options.h"
#include "cli/console_output.h"

namespace trel {

// `trel record`: the job without a printer. The output file receives the parameter and keyword
// frames that a send would write, in order; the clock frame, which only asks the printer about
// itself, is never recorded.
int RunRecord(const RecordOptions& options, ConsoleOutput& output);

}  // namespace trel
