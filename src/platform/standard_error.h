#pragma once

namespace trel {

// Whether the process's standard error is a terminal (an operator watching) rather than a file or a
// pipe (a log, CI), so that progress can be redrawn in place.
bool StandardErrorIsTerminal();

}  // namespace trel
